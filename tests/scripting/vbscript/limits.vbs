' vbscript: runaway recursion is an error, not a crash; an endless loop times out
' args: --timeout 5000
Function Down(n) : Down = Down(n + 1) : End Function
On Error Resume Next
x = Down(1)
tnPrint Err.Number & " " & Err.Description & vbCrLf   ' expect: 28 Out of stack space
Err.Clear
On Error GoTo 0
Do
Loop    ' expect-timeout
