' tnscript --dump-tree: how a script was parsed, one node a line (@N: its source line)
x = Array(&HFFFF&, 1.5, "a""b", , Null)
