' vbscript: string functions
s = "Hello, World"
tnPrint Len(s) & " " & Left(s, 5) & " " & Right(s, 5) & " " & Mid(s, 8) & " " & Mid(s, 8, 3) & vbCrLf  ' expect: 12 Hello World World Wor
tnPrint InStr(s, "o") & " " & InStr(6, s, "o") & " " & InStr(s, "z") & " " & InStr(1, s, "WORLD", 1) & vbCrLf  ' expect: 5 9 0 8
tnPrint InStrRev(s, "o") & " " & InStrRev(s, "o", 8) & vbCrLf   ' expect: 9 5
tnPrint Replace(s, "o", "0") & " " & Replace("aaa", "a", "b", 2, 1) & vbCrLf  ' expect: Hell0, W0rld ba
tnPrint UCase(s) & " " & LCase("ABC") & "[" & Trim("  x  ") & "][" & LTrim(" y") & "][" & RTrim("z ") & "]" & vbCrLf  ' expect: HELLO, WORLD abc[x][y][z]
tnPrint "[" & Space(3) & "]" & String(3, "ab") & String(2, 65) & StrReverse("abc") & vbCrLf  ' expect: [   ]aaaAAcba
tnPrint StrComp("a", "B") & StrComp("a", "A", 1) & StrComp("b", "a") & vbCrLf  ' expect: 101
p = Split("a,b,,c", ",")
tnPrint UBound(p) & " " & Join(p, "-") & " " & UBound(Split("")) & vbCrLf  ' expect: 3 a-b--c -1
tnPrint Join(Filter(Array("apple", "pear", "grape"), "ap"), " ") & vbCrLf   ' expect: apple grape
tnPrint Chr(65) & ChrW(8364) & Asc("a") & " " & AscW("€") & " " & Asc(Chr(128)) & vbCrLf  ' expect: A€97 8364 128
tnPrint Len(123) & " " & IsNull(Len(Null)) & vbCrLf   ' expect: 3 True
x = Mid("abc", 0)   ' expect-error: 5
