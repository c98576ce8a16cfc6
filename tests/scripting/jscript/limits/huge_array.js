// args: --timeout 300
// Two thousand million array elements: stopped at the limit, long before the
// memory runs out.
var a = new Array(Math.pow(2, 31));
a.fill(1);
// expect-timeout
