' vbscript: If, Select Case, loops and Exit
For i = 1 To 3 : s = s & i : Next : tnPrint s & vbCrLf   ' expect: 123
s = "" : For i = 10 To 1 Step -3 : s = s & i & "," : Next
tnPrint s & vbCrLf                                       ' expect: 10,7,4,1,
s = "" : For i = 0 To 1 Step 0.5 : s = s & i & ";" : Next
tnPrint s & vbCrLf                                       ' expect: 0;0.5;1;
For Each v In Array("a", "b") : tnPrint v : Next : tnPrint vbCrLf  ' expect: ab
n = 0
Do While n < 3 : n = n + 1 : Loop : tnPrint n & vbCrLf   ' expect: 3
Do : n = n + 1 : Loop Until n >= 10 : tnPrint n & vbCrLf ' expect: 10
Do Until n = 0 : n = n - 2 : Loop : tnPrint n & vbCrLf   ' expect: 0
Do
  n = n + 1
  If n = 5 Then Exit Do
Loop While True
tnPrint n & vbCrLf                                       ' expect: 5
While n > 0 : n = n - 1 : Wend : tnPrint n & vbCrLf      ' expect: 0
For i = 1 To 100
  If i = 4 Then Exit For
Next
tnPrint i & vbCrLf                                       ' expect: 4
Function Grade(x)
  Select Case x
    Case 1, 2 : Grade = "low"
    Case 3 To 5
      Grade = "mid"
    Case Is > 5 : Grade = "high"
    Case Else : Grade = "none"
  End Select
End Function
tnPrint Grade(2) & Grade(4) & Grade(9) & Grade(-1) & vbCrLf  ' expect: lowmidhighnone
If 1 > 2 Then
  tnPrint "no"
ElseIf 2 > 1 Then
  tnPrint "elseif"
Else
  tnPrint "else"
End If
tnPrint vbCrLf                                           ' expect: elseif
If False Then tnPrint "x" Else tnPrint "single else" & vbCrLf   ' expect: single else
If Null Then tnPrint "null is true" Else tnPrint "null is false" & vbCrLf  ' expect: null is false
Select Case "b"
  Case "a" : tnPrint "a"
  Case "b", "c" : tnPrint "b or c" & vbCrLf              ' expect: b or c
End Select
