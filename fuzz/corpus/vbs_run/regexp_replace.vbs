Set re = New RegExp
re.Pattern = "(\w+)\s(\w+)" : re.Global = True : re.IgnoreCase = True
s = re.Replace("John Smith and Ann Lee", "$2, $1 [$&|$`|$'|$$]")
For Each m In re.Execute(s) : t = t & m.FirstIndex & m.SubMatches(0) & m.SubMatches.Count : Next
re.Multiline = True : re.Pattern = "^x*$"
n = re.Execute("a" & vbLf & vbLf & "xx").Count & re.Test("") & Split(s, ",")(0) & InStr(s, "Smith")
