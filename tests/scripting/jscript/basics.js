// Variables, functions, closures and loops as export scripts use them; dates
// work inside the worker's sandbox.
function pad2(s) { return s.length < 2 ? "0" + s : s; }
function line(s) { tnPrint(s + "\n"); }

var total = 0;
for (var i = 1; i <= 10; i++) total += i;
line(total);                                  // expect: 55

var parts = [];
var k = 0;
while (k < 3) { parts.push(pad2((k * 7).toString(16))); k++; }
line(parts.join(":"));                        // expect: 00:07:0e

function counter() { var n = 0; return function () { return ++n; }; }
var next = counter();
next(); next();
line(next());                                 // expect: 3

var o = { r: 255, g: 128, b: 0 };
var keys = [];
for (var key in o) keys.push(key + "=" + o[key]);
line(keys.join(","));                         // expect: r=255,g=128,b=0

line(typeof undefinedVariable);               // expect: undefined
line(1 == "1");                               // expect: true
line(1 === "1");                              // expect: false
switch (o.g) { case 128: line("half"); break; default: line("other"); } // expect: half
line([3, 1, 2].sort().reverse().join(""));    // expect: 321
line(new Date(2020, 5, 1).getFullYear());      // expect: 2020
