' vbscript: names, keywords, comments, continuations, literals
Dim aName : AName = 3 : tnPrint aname & vbCrLf  ' expect: 3
REM a whole-line comment
x = 1 + _
    2
tnPrint x & vbCrLf             ' expect: 3
tnPrint "say ""hi""" & vbCrLf  ' expect: say "hi"
tnPrint &HFF & " " & &H10 & " " & &O17 & vbCrLf   ' expect: 255 16 15
tnPrint &HFFFF & " " & &HFFFF& & vbCrLf           ' expect: -1 65535
tnPrint TypeName(&HFFFF&) & " " & TypeName(32767) & " " & TypeName(32768) & vbCrLf  ' expect: Long Integer Long
tnPrint 1.5E3 & " " & .25 & " " & 2e-3 & vbCrLf   ' expect: 1500 0.25 0.002
tnPrint TypeName(1.0) & " " & TypeName(2147483648) & vbCrLf   ' expect: Double Double
d = #12/7/2026#
tnPrint Year(d) & "-" & Month(d) & "-" & Day(d) & vbCrLf   ' expect: 2026-12-7
tnPrint #2026-01-02 13:04:05# & vbCrLf                     ' expect: 1/2/2026 1:04:05 PM
IF true THEN tnPrint "upper" & vbCrLf                      ' expect: upper
tnPrint [my var] & "|" & vbCrLf                            ' expect: |
