// String and Number methods, parseInt and toString(radix).
function line(s) { tnPrint(s + "\n"); }

line((255).toString(16));                     // expect: ff
line((255).toString(16).toUpperCase());       // expect: FF
line((10).toString(2));                       // expect: 1010
line(parseInt("ff", 16));                     // expect: 255
line(parseInt("0x1F"));                       // expect: 31
line(parseInt("12px"));                       // expect: 12
line(isNaN(parseInt("px")));                  // expect: true
line(parseFloat("3.75 units"));               // expect: 3.75
line((0.5).toFixed(2));                       // expect: 0.50
line((1234.5678).toFixed(1));                 // expect: 1234.6
line(Number("42") + 1);                       // expect: 43
line(String(7) + 1);                          // expect: 71
line("abcdef".substr(2, 3));                  // expect: cde
line("abcdef".substring(4));                  // expect: ef
line("abcdef".slice(-2));                     // expect: ef
line("a,b,,c".split(",").length);             // expect: 4
line("Hello".charAt(1) + "Hello".charCodeAt(0)); // expect: e72
line(String.fromCharCode(70, 70));            // expect: FF
line("  trim me ".replace(/^\s+|\s+$/g, "") + "|"); // expect: trim me|
line("x".concat("y", 1));                     // expect: xy1
line("banana".indexOf("an") + " " + "banana".lastIndexOf("an")); // expect: 1 3
line(("000000" + (0x80FF).toString(16)).slice(-6)); // expect: 0080ff
line(Math.round(2.5) + " " + Math.floor(-0.5) + " " + Math.max(1, 9, 3)); // expect: 3 -1 9
