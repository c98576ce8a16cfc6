// Nothing beyond the language and the host's own objects is reachable.
var names = ["console", "print", "Qt", "gc", "qsTr", "XMLHttpRequest", "require", "process",
             "ActiveXObject", "WScript", "GetObject", "load", "readFile"];
var seen = [];
for (var i = 0; i < names.length; i++) {
  var t;
  try { t = eval("typeof " + names[i]); } catch (e) { t = "error"; }
  if (t !== "undefined") seen.push(names[i]);
}
tnPrint("[" + seen.join(",") + "]\n");        // expect: []
