On Error Resume Next
Set re = New RegExp
re.Pattern = "(("
x = re.Test("a") : x = re.Execute("a")(3) : x = re.Nope : re.Pattern = "a" : x = re.Execute("a").Item(0).SubMatches(0)
re.Pattern = "(a|aa)+$" : x = re.Test(String(30, "a") & "b")
