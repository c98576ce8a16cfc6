// Module loading would read files; it is not part of the language here.
import("/etc/passwd");
// expect-error: 1002 line 2
