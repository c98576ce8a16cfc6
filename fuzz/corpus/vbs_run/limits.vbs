' vbscript: runaway recursion is an error, not a crash
' args: --timeout 5000
Function Down(n) : Down = Down(n + 1) : End Function
On Error Resume Next
x = Down(1)
tnPrint Err.Number & " " & Err.Description & vbCrLf   ' expect: 28 Out of stack space
Err.Clear
s = "x"
For i = 1 To 40 : s = s & s : Next
tnPrint Err.Number & " " & Err.Description & vbCrLf   ' expect: 7 Out of memory
On Error GoTo 0
Do
Loop    ' expect-timeout
