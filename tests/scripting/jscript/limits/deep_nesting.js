// args: --timeout 30000
// A wide limit of its own: the error must come first however loaded the machine.
// Objects nested a million deep: turning them into text overflows the stack,
// which the engine catches.
var o = {};
for (var i = 0; i < 1000000; i++) o = {a: o};
try { JSON.stringify(o); } catch (e) { tnPrint(e.name + "\n"); }   // expect: RangeError
JSON.stringify(o);
// expect-error: 28 line 8
