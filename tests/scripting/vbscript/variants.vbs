' vbscript: subtypes, VarType and TypeName, promotion, Null and Empty
Dim e
tnPrint VarType(e) & TypeName(e) & " " & VarType(Null) & TypeName(Null) & " " & VarType(True) & TypeName(False) & vbCrLf  ' expect: 0Empty 1Null 11Boolean
tnPrint VarType(CByte(1)) & TypeName(CByte(1)) & " " & VarType(1) & TypeName(1) & " " & VarType(70000) & TypeName(70000) & vbCrLf  ' expect: 17Byte 2Integer 3Long
tnPrint VarType(CSng(1)) & TypeName(CSng(1)) & " " & VarType(1.5) & TypeName(1.5) & " " & VarType(CCur(1)) & TypeName(CCur(1)) & vbCrLf  ' expect: 4Single 5Double 6Currency
tnPrint VarType("") & TypeName("") & " " & VarType(Nothing) & TypeName(Nothing) & " " & VarType(Array()) & TypeName(Array(1)) & vbCrLf  ' expect: 8String 9Nothing 8204Variant()
Dim fixedArr(2)
tnPrint VarType(fixedArr) & " " & TypeName(fixedArr) & " " & TypeName(Err) & " " & VarType(Err) & vbCrLf  ' expect: 8204 Variant() ErrObject 9
i = 32767 : i = i + 1
tnPrint i & TypeName(i) & " " & TypeName(CInt(-32768) - 1) & " " & TypeName(2147483647 + 1) & " " & TypeName(-2147483649) & vbCrLf  ' expect: 32768Long Long Double Double
tnPrint TypeName(200 * 200) & " " & TypeName(100 * 100) & " " & TypeName(CByte(255) * CByte(2)) & " " & TypeName(46341 * 46341) & vbCrLf  ' expect: Long Integer Integer Double
tnPrint TypeName(CSng(1) + 1) & " " & TypeName(CSng(1) + 1.5) & " " & TypeName(CCur(1) + 1.5) & " " & TypeName(7 \ 2) & " " & TypeName(7 Mod 2) & " " & TypeName(CDbl(7) \ 2) & vbCrLf  ' expect: Single Double Double Integer Integer Long
tnPrint TypeName(-CInt(-32768)) & " " & TypeName(2 ^ 2) & " " & TypeName("5" & 1) & " " & TypeName("5" * 1) & " " & TypeName(True * 1) & vbCrLf  ' expect: Long Double String Double Integer
tnPrint IsNull(Null * 0) & IsNull(-Null) & IsNull(Not Null) & IsNull(Null = Null) & IsNull(Null <> 1) & IsNull(Len(Null)) & vbCrLf  ' expect: TrueTrueTrueTrueTrueTrue
tnPrint TypeName(Null & Null) & " " & (False Or Null) & "|" & IsNull(True And Null) & " " & (True Or Null) & " " & IsNull(Null Xor True) & vbCrLf  ' expect: Null |True True True
tnPrint (Empty = 0) & (Empty = "") & (Empty < 1) & (Empty > -1) & ("" = Empty) & (Empty = False) & vbCrLf  ' expect: TrueTrueTrueTrueTrueTrue
tnPrint (Empty + Empty) & TypeName(Empty + Empty) & " " & TypeName(Empty & Empty) & " " & TypeName(-Empty) & " [" & Empty & "]" & vbCrLf  ' expect: 0Integer String Integer []
tnPrint (10 < 9) & ("10" < "9") & (10 < "9") & ("abc" = "ABC") & (StrComp("abc", "ABC", vbTextCompare) = 0) & vbCrLf  ' expect: FalseTrueFalseFalseTrue
x = "10" : y = 9             ' a string variable is greater than any number
tnPrint (x < y) & " " & (CInt(x) > y) & " " & (x > "9") & vbCrLf   ' expect: False True False
tnPrint (True = -1) & (False = 0) & CInt(True) & CBool(5) & CBool(0) & CBool("true") & CBool("False") & vbCrLf  ' expect: TrueTrue-1TrueFalseTrueFalse
tnPrint IsNumeric("12") & IsNumeric(" 1e3 ") & IsNumeric("&HFF") & IsNumeric("1,2") & IsNumeric("") & IsNumeric(Empty) & IsNumeric(Null) & IsNumeric("abc") & vbCrLf  ' expect: TrueTrueTrueTrueFalseTrueFalseFalse
tnPrint IsEmpty(e) & IsEmpty("") & IsNull(Null) & IsNull(Empty) & IsArray(Array()) & IsArray("a") & IsObject(Nothing) & IsObject(1) & vbCrLf  ' expect: TrueFalseTrueFalseTrueFalseTrueFalse
tnPrint CLng("&H10") & " " & CDbl("1.5e2") & " " & CInt("  7  ") & " " & CSng("0.5") & " " & TypeName(CCur("1.23")) & vbCrLf  ' expect: 16 150 7 0.5 Currency
On Error Resume Next
x = CInt(40000) : tnPrint Err.Number & " " & Err.Description & vbCrLf  : Err.Clear   ' expect: 6 Overflow
x = "a" * 2 : tnPrint Err.Number & " " & Err.Description & vbCrLf : Err.Clear  ' expect: 13 Type mismatch
x = CLng(Null) : tnPrint Err.Number & " " & Err.Description & vbCrLf : Err.Clear  ' expect: 94 Invalid use of Null
x = 5 \ 0 : tnPrint Err.Number & vbCrLf : Err.Clear            ' expect: 11
x = 5 Mod 0 : tnPrint Err.Number & vbCrLf : Err.Clear          ' expect: 11
x = 0 / 0 : tnPrint Err.Number & vbCrLf : Err.Clear            ' expect: 6
On Error GoTo 0
x = CByte(256)   ' expect-error: 6
