' VBScript converter: #RRGGBB typed in the converter box
t = Replace(tnConverter, "#", "")
If Len(t) <> 6 Then
  tnPrint "not a colour: " & t & vbCrLf
Else
  tnConverterRGB CLng("&H" & Mid(t, 1, 2)), CLng("&H" & Mid(t, 3, 2)), CLng("&H" & Mid(t, 5, 2))
  ' tnRed still reads the colour the run started with; tnColor the new one
  tnPrint "snapshot " & tnRed & ", live " & Hex(tnColor) & vbCrLf
End If
