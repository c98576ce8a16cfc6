// args: --timeout 30000
// Objects nested a million deep overflow the stack in JSON.stringify; the wide
// limit lets the error come first however loaded the machine.
var o = {};
for (var i = 0; i < 1000000; i++) o = {a: o};
try { JSON.stringify(o); } catch (e) { tnPrint(e.name + "\n"); }   // expect: RangeError
JSON.stringify(o);
// expect-error: 28 line 7
