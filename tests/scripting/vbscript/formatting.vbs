' vbscript: number formatting, rounding, Hex and Oct, CStr of doubles
tnPrint FormatNumber(1234567.891) & "|" & FormatNumber(1234.5, 0) & "|" & FormatNumber(0.5, 0) & "|" & FormatNumber(1.5, 0) & vbCrLf  ' expect: 1,234,567.89|1,235|1|2
tnPrint FormatNumber(0.25, 1) & "|" & FormatNumber(-0.5, 2) & "|" & FormatNumber(0.5, 2, False) & "|" & FormatNumber(-3, 1, , True) & vbCrLf  ' expect: 0.3|-0.50|.50|(3.0)
tnPrint FormatNumber(1234.5, 2, , , False) & "|" & FormatNumber("12.345", 2) & "|" & FormatNumber(1E+15, 0) & vbCrLf  ' expect: 1234.50|12.35|1,000,000,000,000,000
tnPrint FormatPercent(0.256) & "|" & FormatPercent(0.5, 0) & "|" & FormatPercent(1.23456, 3) & "|" & FormatPercent(-0.1, 1) & vbCrLf  ' expect: 25.60%|50%|123.456%|-10.0%
tnPrint FormatCurrency(1234.5) & "|" & FormatCurrency(-2) & "|" & FormatCurrency(0.126, 2) & "|" & FormatCurrency(5, 0) & vbCrLf  ' expect: $1,234.50|($2.00)|$0.13|$5
tnPrint Round(-2.5) & " " & Round(0.125, 2) & " " & Round(1.005, 2) & " " & Round(2.567, 1) & " " & Round(12345.6789, -0) & vbCrLf  ' expect: -2 0.12 1 2.6 12346
tnPrint CInt(2.5) & " " & CInt(3.5) & " " & CLng(-4.5) & " " & CByte(254.5) & " " & Int(-2.5) & " " & Fix(-2.5) & vbCrLf  ' expect: 2 4 -4 254 -3 -2
tnPrint Hex(-1) & " " & Hex(CInt(-32768)) & " " & Hex(-32768) & " " & Hex(-32769) & " " & Hex(65536) & " " & Hex(CDbl(-2147483648)) & " " & Hex(2.5) & " " & Hex(3.5) & vbCrLf  ' expect: FFFF 8000 FFFF8000 FFFF7FFF 10000 80000000 2 4
tnPrint Oct(-1) & " " & Oct(-8) & " " & Oct(CLng(-1)) & " " & Oct(64) & " " & IsNull(Hex(Null)) & " [" & Hex(Empty) & "]" & vbCrLf  ' expect: 177777 177770 37777777777 100 True [0]
tnPrint CStr(0.1) & " " & CStr(1 / 3) & " " & CStr(2 / 3) & " " & CStr(1E+15) & " " & CStr(1E+16) & " " & CStr(123456789012345) & vbCrLf  ' expect: 0.1 0.333333333333333 0.666666666666667 1E+15 1E+16 123456789012345
tnPrint CStr(-0.0001) & " " & CStr(1.5E-10) & " " & CStr(100) & " " & CStr(CSng(0.1)) & " " & CStr(CSng(1) / 3) & " " & CStr(3.0) & vbCrLf  ' expect: -0.0001 1.5E-10 100 0.1 0.3333333 3
tnPrint CStr(True) & " " & CStr(CCur(3.14159)) & " " & CStr(CCur(-0.5)) & " " & (2 ^ 0.5) & vbCrLf  ' expect: True 3.1416 -0.5 1.4142135623731
tnPrint Hex(CDbl(4294967296))   ' expect-error: 6
