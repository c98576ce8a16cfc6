' vbscript: RegExp, its Matches, Match and SubMatches objects
' The long match lists near the end take a moment on a loaded machine:
' args: --timeout 10000
Set re = New RegExp
tnPrint TypeName(re) & " [" & re.Pattern & "] " & re.Global & re.IgnoreCase & re.Multiline & vbCrLf   ' expect: IRegExp2 [] FalseFalseFalse
re.Pattern = "colou?r"
tnPrint re.Test("The color red") & re.Test("COLOUR") & vbCrLf          ' expect: TrueFalse
re.IgnoreCase = True
tnPrint re.Test("COLOUR") & re.IgnoreCase & vbCrLf                      ' expect: TrueTrue

' Execute: one match unless Global, each with its place and groups.
re.IgnoreCase = False
re.Pattern = "(\w+)@(\w+)\.(com|org)"
text = "mail ann@example.com or bob@test.org today"
Set ms = re.Execute(text)
tnPrint TypeName(ms) & " " & ms.Count & " " & ms(0) & vbCrLf            ' expect: IMatchCollection2 1 ann@example.com
re.Global = True
Set ms = re.Execute(text)
Set m = ms.Item(1)
tnPrint ms.Count & " " & TypeName(m) & " " & m.Value & " " & m.FirstIndex & " " & m.Length & vbCrLf   ' expect: 2 IMatch2 bob@test.org 24 12
tnPrint TypeName(m.SubMatches) & " " & m.SubMatches.Count & " " & m.SubMatches(0) & m.SubMatches.Item(1) & m.SubMatches(2) & vbCrLf   ' expect: ISubMatches 3 bobtestorg
For Each m In ms
    tnPrint m.FirstIndex & ":" & m & " "
    For Each s In m.SubMatches : tnPrint "<" & s & ">" : Next
    tnPrint vbCrLf
Next
' expect: 5:ann@example.com <ann><example><com>
' expect: 24:bob@test.org <bob><test><org>
Set none = re.Execute("nothing here")
tnPrint none.Count & vbCrLf                                            ' expect: 0
For Each m In none : tnPrint "never" : Next

' A group that took no part is Empty.
re.Pattern = "(a)|(b)"
Set m = re.Execute("b")(0)
tnPrint IsEmpty(m.SubMatches(0)) & " " & m.SubMatches(1) & vbCrLf       ' expect: True b

' Replace and its $ forms; without Global only the first match.
re.Pattern = "(\w+)\s(\w+)"
tnPrint re.Replace("John Smith", "$2, $1") & vbCrLf                     ' expect: Smith, John
re.Pattern = "b"
tnPrint re.Replace("abc", "[$`|$&|$'|$$|$1|$]") & vbCrLf                ' expect: a[a|b|c|$|$1|$]c
re.Global = False
tnPrint re.Replace("abcb", "X") & vbCrLf                                ' expect: aXcb
re.Global = True
tnPrint re.Replace("abcb", "X") & vbCrLf                                ' expect: aXcX
re.Pattern = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)"
tnPrint re.Replace("abcdefghij", "$10-$1-$11") & vbCrLf                 ' expect: j-a-a1

' Empty matches move on by one character.
re.Pattern = "x*"
tnPrint re.Replace("abc", "-") & " " & re.Execute("axxb").Count & vbCrLf   ' expect: -a-b-c- 4
re.Pattern = "x*?"
tnPrint re.Execute("xx").Count & vbCrLf                                  ' expect: 3

' Anchors and line ends.
lines = "one" & vbLf & "two" & vbCrLf & "three"
re.Pattern = "^t\w+$"
tnPrint re.Execute(lines).Count & " "
re.Multiline = True
Set ms = re.Execute(lines)
tnPrint ms.Count & " " & ms(0) & " " & ms(1) & vbCrLf                   ' expect: 0 2 two three
re.Multiline = False
re.Pattern = "c$"
tnPrint re.Test("abc" & vbLf) & re.Test("abc") & vbCrLf                 ' expect: FalseTrue
re.Pattern = "a.c"
tnPrint re.Test("a" & vbLf & "c") & re.Test("a" & vbCr & "c") & re.Test("a c") & vbCrLf   ' expect: FalseFalseTrue
re.Pattern = "[^]"
tnPrint re.Execute("a" & vbLf).Count & " "
re.Pattern = "a[]"
tnPrint re.Test("a") & vbCrLf                                           ' expect: 2 False

' Escapes the language knows, and letters it treats as themselves.
re.Pattern = "\x41\u0042\t\d\D\w\W"
tnPrint re.Test("AB" & vbTab & "7x_!") & " "
re.Pattern = "^\s+$"
tnPrint re.Test(" " & vbTab & ChrW(160) & ChrW(&H3000)) & " "
re.Pattern = "\bcat\b"
tnPrint re.Test("a cat here") & re.Test("concatenate") & " "
re.Pattern = "\A\Q"
tnPrint re.Test("AQ") & " "
re.Pattern = "(\w)\1"
tnPrint re.Execute("abccd")(0) & " "
re.Pattern = "[\d.]+"
tnPrint re.Execute("v1.25b")(0) & " "
re.Pattern = "[[]"
tnPrint re.Test("[") & vbCrLf                                           ' expect: True True TrueFalse True cc 1.25 True
re.Pattern = "\d+(?=%)"
tnPrint re.Execute("5 of 30%")(0) & " "
re.Pattern = "<.+?>"
tnPrint re.Execute("<a><b>")(0) & " "
re.Pattern = "^(?:ab|cd){2}$"
tnPrint re.Test("abcd") & vbCrLf                                        ' expect: 30 <a> True
re.Pattern = "é"
re.IgnoreCase = True
tnPrint re.Test("CAFÉ") & re.Test("CAFE") & vbCrLf                      ' expect: TrueFalse

' Where PCRE2 differs: \z and \h are letters here, no POSIX classes, \v and \0.
re.Global = True : re.IgnoreCase = False
re.Pattern = "\z\h" : tnPrint re.Test("xzh") & " "
re.Pattern = "\v" : tnPrint re.Execute("a" & Chr(11) & "b" & vbLf & "c").Count & " "
re.Pattern = "a\0" : tnPrint re.Test("a" & ChrW(0)) & " "
re.Pattern = "[[:a]" : tnPrint re.Execute("[:a").Count & vbCrLf                 ' expect: True 1 True 3
' Dot stops at every line end; multiline ^ and $ at CR LF too.
re.Pattern = "." : tnPrint re.Test(ChrW(8232)) & " "
re.Multiline = True : re.Pattern = "^\w$" : tnPrint re.Execute("a" & vbLf & "b" & vbCrLf & "c").Count & vbCrLf   ' expect: False 3
re.Multiline = False
' Empty matches step on by one; a back reference to a group that took no part matches nothing.
re.Pattern = "(x)?y*" : Set ms = re.Execute("ab")
tnPrint ms.Count & " " & ms(2).FirstIndex & " " & IsEmpty(ms(0).SubMatches(0)) & " "
re.Pattern = "(a)?\1b" : tnPrint re.Test("b") & vbCrLf                          ' expect: 3 2 True True
' Case folds beyond ASCII in a class; \w stays ASCII; indexes count code units, lone surrogates too.
re.IgnoreCase = True : re.Pattern = "[éx]+" : tnPrint re.Execute("ÉXé").Count & " "
re.IgnoreCase = False : re.Pattern = "\w" : tnPrint re.Test("é") & " "
s = "x" & ChrW(55296) & "ab"
re.Pattern = "a" : tnPrint re.Execute(s)(0).FirstIndex & " "
re.Pattern = ChrW(55296) & "." : tnPrint re.Execute(s).Count & vbCrLf           ' expect: 1 False 2 1
' $ followed by digits that name no group is text.
re.Pattern = "(h)(e)(l)l(o)" : tnPrint re.Replace("say hello now", "[$1$4|$5|$04]") & vbCrLf   ' expect: say [ho|$5|$04] now

' Objects with a default member work as subjects; the built-ins see the same text.
Class Subject
    Public Default Property Get Text : Text = "x1y22z333" : End Property
End Class
re.Pattern = "\d+"
re.IgnoreCase = False
tnPrint re.Replace(New Subject, "#") & " " & re.Execute(New Subject).Count & vbCrLf   ' expect: x#y#z# 3
joined = ""
For Each m In re.Execute("x1y22z333") : joined = joined & m & "," : Next
parts = Split(joined, ",")
tnPrint UBound(parts) & " " & InStr(joined, "22") & " " & Replace(joined, ",", ";") & vbCrLf   ' expect: 3 3 1;22;333;

' Errors.
On Error Resume Next
re.Pattern = "(unclosed"
x = re.Test("a")
tnPrint Err.Number & " " & Err.Description & vbCrLf                     ' expect: 5017 Syntax error in regular expression
Err.Clear
re.Pattern = "a"
x = re.Execute("a")(1)
tnPrint Err.Number & " "
Err.Clear
x = re.Execute("a").Count(1)
tnPrint Err.Number & " "
Err.Clear
x = re.Frobnicate
tnPrint Err.Number & " "
Err.Clear
x = re.Test()
tnPrint Err.Number & " "
Err.Clear
x = re.Test(Null)
tnPrint Err.Number & " "
Err.Clear
x = re & ""
tnPrint Err.Number & vbCrLf                                             ' expect: 5 450 438 450 94 438
On Error GoTo 0

' The same Match each time it is asked for; a very long list of matches costs
' little until used, and past a million it is "Out of memory".
re.Pattern = "\d"
Set ms = re.Execute("a1b2")
tnPrint (ms(0) Is ms.Item(0)) & " " & (ms(0) Is ms(1)) & vbCrLf        ' expect: True False
re.Pattern = ""
Set ms = re.Execute(Space(200000))
tnPrint ms.Count & " " & ms(200000).FirstIndex & " " & Len(re.Replace(Space(200000), "-")) & vbCrLf   ' expect: 200001 200000 400001
On Error Resume Next
Set ms = re.Execute(Space(1100000))
tnPrint Err.Number & vbCrLf                                             ' expect: 7
