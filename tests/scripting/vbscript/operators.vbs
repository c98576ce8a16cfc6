' vbscript: precedence and the subtype rules of each operator
tnPrint 7 \ 2 & " " & -7 \ 2 & " " & 7 Mod 3 & " " & -7 Mod 3 & vbCrLf   ' expect: 3 -3 1 -1
tnPrint 10 / 4 & " " & 1 + 2 * 3 & " " & (1 + 2) * 3 & vbCrLf  ' expect: 2.5 7 9
tnPrint 1 + 2 & "x" & vbCrLf                                   ' expect: 3x
tnPrint TypeName(CByte(200) + CByte(100)) & " " & TypeName(CByte(1) + CByte(2)) & vbCrLf  ' expect: Integer Byte
tnPrint TypeName(True + True) & " " & (True + True) & vbCrLf   ' expect: Integer -2
tnPrint "1" + 2 & " " & TypeName("1" + 2) & " " & "a" + "b" & vbCrLf  ' expect: 3 Double ab
tnPrint TypeName(10 / 2) & " " & TypeName(Empty + 1) & vbCrLf ' expect: Double Integer
tnPrint IsNull(Null + 1) & " " & IsNull(Null & Null) & " [" & (Null & "x") & "]" & vbCrLf  ' expect: True True [x]
tnPrint (5 And 3) & " " & (5 Or 3) & " " & (5 Xor 3) & " " & (Not 0) & vbCrLf  ' expect: 1 7 6 -1
tnPrint (True And False) & " " & (True Or False) & " " & (True Eqv True) & " " & (False Imp False) & vbCrLf  ' expect: False True True True
tnPrint IsNull(Null And True) & " " & (Null And False) & " " & (Null Or True) & vbCrLf  ' expect: True False True
tnPrint (Not 1 = 2) & " " & (1 < 2 And 2 < 3) & vbCrLf        ' expect: True True
tnPrint ("abc" < "abd") & " " & ("B" < "a") & " " & (Empty = 0) & " " & (Empty = "") & vbCrLf  ' expect: True True True True
a = 1 : b = "1"
tnPrint (a = b) & " " & (1 = "1") & " " & (a < b) & vbCrLf    ' expect: False True True
Set o = Nothing
tnPrint (o Is Nothing) & vbCrLf                                ' expect: True
tnPrint 0.1 + 0.2 & " " & 1 / 3 & " " & 1E+20 & " " & 0.00001 & vbCrLf  ' expect: 0.3 0.333333333333333 1E+20 1E-05
tnPrint CCur(1.23456) & " " & CCur(10) / 4 & vbCrLf           ' expect: 1.2346 2.5
tnPrint 5 - 3 - 1 & " " & 2 * 3 Mod 4 & " " & 8 \ 3 * 2 & vbCrLf  ' expect: 1 2 1
x = 1 / 0    ' expect-error: 11 line 22
