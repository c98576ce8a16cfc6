' vbscript: conversions at their edges, and the number, text and source of errors
tnPrint CByte(True) & " " & CByte(False) & " " & TypeName(CByte(True)) & " " & CInt(True) & " " & CLng(True) & vbCrLf   ' expect: 255 0 Byte -1 -1
tnPrint CBool("#TRUE#") & CBool("#false#") & CBool("True") & CBool("FALSE") & CBool("0") & CBool("-2.5") & vbCrLf   ' expect: TrueFalseTrueFalseFalseTrue
If "#TRUE#" Then tnPrint "condition" & vbCrLf                       ' expect: condition
tnPrint TypeName(+"12") & " " & +"12" & "|" & TypeName(+Empty) & " " & TypeName(-"12") & " " & -"12" & vbCrLf   ' expect: String 12|Empty Double -12
' Single keeps 24 bits of mantissa and shows 7 digits.
tnPrint CSng(1.1) & " " & CDbl(CSng(1.1)) & " " & CSng(16777217) & " " & CDbl(CSng(16777217)) & vbCrLf   ' expect: 1.1 1.10000002384186 1.677722E+07 16777216
tnPrint CSng("3.14159265") & " " & CSng(2.5) & " " & CDbl(CSng(1.00000005)) & " " & TypeName(CSng(1) * 2) & vbCrLf   ' expect: 3.141593 2.5 1 Single
' The largest Single, also written with more digits than it has; past it, Overflow.
tnPrint CSng(3.4028235E+38) & " " & CSng(-3.40282356E+38) & " " & CSng("1e-46") & " " & (CSng(1.1) = 1.1) & (CSng(1.5) = 1.5) & vbCrLf   ' expect: 3.402823E+38 -3.402823E+38 0 FalseTrue

' Errors come in the order the language checks them.
On Error Resume Next
Dim results
Sub Try(code)
    On Error Resume Next
    Execute code
    results = results & Err.Number & " "
End Sub
Try "x = Sgn(Null)" : Try "x = FormatNumber(Null)" : Try "x = FormatPercent(Null)" : Try "x = FormatCurrency(Null)"
Try "x = CInt(Null)" : Try "x = CByte(-1)" : Try "x = CByte(""x"")" : Try "x = CLng(""9e9"")" : Try "x = CSng(3.5E+38)"
tnPrint results & vbCrLf                                            ' expect: 94 13 13 13 94 6 13 6 6
results = ""
Try "x = Abs(Null)" : Try "x = Int(Null)" : Try "x = Fix(Null)" : Try "x = Hex(Null)" : Try "x = Len(Null)"
Try "x = Replace(Null, ""a"", ""b"")" : Try "x = Replace(""a"", Null, ""b"")"
tnPrint results & IsNull(Abs(Null)) & IsNull(Int(Null)) & IsNull(Hex(Null)) & vbCrLf   ' expect: 0 0 0 0 0 94 94 TrueTrueTrue
' Number arguments are checked before a Null text gives Null.
results = ""
Try "x = Left(Null, -1)" : Try "x = Right(Null, Null)" : Try "x = Mid(Null, 0)" : Try "x = Mid(Null, 1, -1)" : Try "x = String(Null, ""a"")"
tnPrint results & IsNull(Left(Null, 1)) & IsNull(Mid(Null, 2, 1)) & IsNull(String(2, Null)) & vbCrLf   ' expect: 5 94 5 5 94 TrueTrueTrue
tnPrint InStrRev("", "", 3) & " " & InStrRev("abc", "", 3) & " " & InStrRev("abc", "", 4) & " " & InStrRev("abcb", "b") & " " & InStrRev("", "") & vbCrLf   ' expect: 0 3 0 4 0

' Err.Source as the language writes it.
Err.Clear
x = 1 / 0
tnPrint Err.Number & " " & Err.Source & vbCrLf                      ' expect: 11 Microsoft VBScript runtime error
Err.Clear
Execute "x = ("
tnPrint Err.Number & " " & Err.Source & vbCrLf                      ' expect: 1023 Microsoft VBScript compilation error
Err.Clear
Err.Raise 9
tnPrint Err.Description & " | " & Err.Source & vbCrLf               ' expect: Subscript out of range | Microsoft VBScript runtime error

' Err.Raise keeps what it is given.
Err.Clear
Err.Raise vbObjectError + 7, "Mine", "Broken", "help.chm", 42
tnPrint Err.Number - vbObjectError & " " & Err.Source & " " & Err.Description & " " & Err.HelpFile & " " & Err.HelpContext & vbCrLf   ' expect: 7 Mine Broken help.chm 42
x = 1 / 0
tnPrint Err.Number & " [" & Err.HelpFile & "] " & Err.HelpContext & vbCrLf   ' expect: 11 [] 0
Err.Clear
tnPrint Err.Number & "[" & Err.Source & Err.Description & Err.HelpFile & "]" & Err.HelpContext & vbCrLf   ' expect: 0[]0

' Numbers past 16 bits map as failure codes do.
results = ""
For Each n In Array(65535, 65536, &H7FFFFFFF, &H8007000E, &H800A000D, &H80070057, &H8002000A)
    Err.Clear
    Err.Raise n
    results = results & Err.Number & " "
Next
tnPrint results & vbCrLf                                            ' expect: 65535 5 5 7 13 5 6
Err.Clear
Err.Raise &H8007000E
tnPrint Err.Description & vbCrLf                                    ' expect: Out of memory
Err.Clear
Err.Raise -3000000000
tnPrint Err.Number & " " & Err.Description & vbCrLf                 ' expect: 6 Overflow
Err.Clear
Err.Raise 0
tnPrint Err.Number & vbCrLf                                         ' expect: 5
On Error GoTo 0
Err.Raise 65536                                                     ' expect-error: 5 line 71
