// Regular expressions as converter scripts use them to read typed values.
function line(s) { tnPrint(s + "\n"); }

var m = /^#?([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})$/i.exec("#FF8000");
line(m[1] + "," + m[2] + "," + m[3]);         // expect: FF,80,00
line(parseInt(m[2], 16));                     // expect: 128
var rgb = "rgb( 12, 34 ,56 )".match(/\d+/g);
line(rgb.join("+"));                          // expect: 12+34+56
line(/^\d+$/.test("12a"));                    // expect: false
line("a-b_c".replace(/[-_]/g, " "));          // expect: a b c
line("aaa".replace(/a/, "b"));                // expect: baa
var re = new RegExp("(\\w+)@(\\w+)");
line("me@host".replace(re, "$2 $1"));         // expect: host me
var words = [];
var g = /o(\w)/g, found;
while ((found = g.exec("foo bob on")) !== null) words.push(found[1]);
line(words.join(""));                         // expect: obn
