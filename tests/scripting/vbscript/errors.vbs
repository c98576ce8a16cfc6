' vbscript: On Error and the Err object
On Error Resume Next
x = 1 / 0
tnPrint Err.Number & " " & Err.Description & vbCrLf  ' expect: 11 Division by zero
Err.Clear
tnPrint Err.Number & "|" & Err.Description & "|" & vbCrLf    ' expect: 0||
Err.Raise 1000, "mine", "custom text"
tnPrint Err.Number & " " & Err.Source & " " & Err.Description & vbCrLf  ' expect: 1000 mine custom text
Err.Raise 0
tnPrint Err.Number & " " & Err.Description & vbCrLf  ' expect: 5 Invalid procedure call or argument
Sub Inner : y = CInt("abc") : tnPrint "not here" : End Sub
Inner
tnPrint "after " & Err.Number & vbCrLf   ' expect: after 13
On Error GoTo 0
tnPrint Err.Number & vbCrLf          ' expect: 0
Dim a(1)
a(5) = 1     ' expect-error: 9 line 17
