// The debug printer (tnscript --dump-tree) shows how a text was parsed. What
// the parses compute is checked by the .vbs files; this checks the dump itself.

#include "scripting/vbscript/parser.h"
#include "scripting/vbscript/treeprinter.h"

#include <gtest/gtest.h>

using namespace tintwell::vbs;

namespace {

TEST(TreePrinter, LiteralsShowTheirTypeAndStringsTheirQuotes)
{
    EXPECT_EQ(dumpTree(*parseProgram(QStringLiteral("x = Array(&HFFFF&, 1.5, \"a\"\"b\", , Null)"))).toStdString(),
              "Assign  @1\n"
              "  Name x\n"
              "  Name Array()\n"
              "    Literal 65535 Long\n"
              "    Literal 1.5 Double\n"
              "    Literal \"a\"\"b\"\n"
              "    (missing)\n"
              "    Literal Null\n");
}

} // namespace
