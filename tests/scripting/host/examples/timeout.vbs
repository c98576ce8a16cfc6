' vbscript that never ends
tnOutput "partial"
Do
Loop
