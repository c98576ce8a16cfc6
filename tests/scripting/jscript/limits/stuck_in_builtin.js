// args: --timeout 200
// One built-in call that runs for many seconds without looking at the time
// limit, and without growing, so only the limit can end it: a sort of a million
// numbers compared as text. On a slow machine the limit may fall in the loop
// that fills the array instead; the run ends the same way.
tnPrint("start\n");                           // expect: start
var a = [];
for (var i = 0; i < 1000000; i++) a.push((i * 7919) % 1000003);
a.sort();
// expect-timeout
