' The debug object's helpers
tnPrint "[" & tnDebugString("Red & Blue", "&", True, False) & "]" & vbCrLf
tnPrint "[" & tnDebugString("aBz", "ab", False, True) & "][" & tnDebugString("aBz", "ab", False, False) & "][" & tnDebugString("aBz", "ab", True, False) & "][" & tnDebugString("", "ab", False, False) & "]" & vbCrLf
tnPrint tnFormat(1234.5, "#,##0.00") & " " & tnFormat(0.125, "0.00") & " " & tnFormat("7", "000") & " " & tnFormat(CSng(2.675), "0.00") & " " & tnFormat("abc", "0.00") & " " & tnFormat(1.5) & vbCrLf
tnPrint TypeName(tnFmt(TN_FORMATTING, TN_HSL, FMT_iBase, TN_ITEM1)) & " " & tnFmt(TN_FORMATTING, TN_HSL, FMT_iBase, TN_ITEM1) & vbCrLf
tnPrint "[" & tnFmt(TN_OUTPUT_SEP, TN_RGB, 0, TN_ITEM2) & "] " & TypeName(tnFmt(2, 0, 0, 0)) & " " & tnOption(TN_EXTRA_HEX_ZEROS) & tnOption(2) & tnOption(-1) & vbCrLf
' RGB 255, 0, 1 is hue 360, which reads 0
tnPrint tnHue & " " & tnHueB & " " & tnBlue & vbCrLf
