' vbscript: a loop of costly calls over a long string still stops at the time limit
s = String(3000000, "a")
Do
  t = Replace(s, "a", "b")
Loop   ' expect-timeout
