// args: --timeout 200
// A sort of a million numbers compared as text runs for seconds inside one
// built-in call that never looks at the limit; only the limit can end it.
tnPrint("start\n");                           // expect: start
var a = [];
for (var i = 0; i < 1000000; i++) a.push((i * 7919) % 1000003);
a.sort();
// expect-timeout
