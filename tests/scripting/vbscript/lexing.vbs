' vbscript: names, keywords, comments, continuations, literals
Dim aName : AName = 3 : tnPrint aname & vbCrLf  ' expect: 3
REM a whole-line comment
x = 1 + _
    2
tnPrint x & vbCrLf             ' expect: 3
tnPrint "say ""hi""" & vbCrLf  ' expect: say "hi"
tnPrint 1.5E3 & " " & .25 & " " & 2e-3 & vbCrLf   ' expect: 1500 0.25 0.002
tnPrint #2026-01-02 13:04:05# & vbCrLf                     ' expect: 1/2/2026 1:04:05 PM
IF true THEN tnPrint "upper" & vbCrLf                      ' expect: upper
tnPrint [my var] & "|" & vbCrLf                            ' expect: |
