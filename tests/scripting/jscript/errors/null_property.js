var o = null;
var c = o.color;
// expect-error: 5007 line 2
