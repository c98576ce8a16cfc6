// The debug printer shows how a text was parsed. What the parses compute is
// checked by the .vbs files; these check the dump itself.

#include "scripting/vbscript/parser.h"
#include "scripting/vbscript/treeprinter.h"

#include <gtest/gtest.h>

using namespace tintwell::vbs;

namespace {

std::string tree(const char *code)
{
    return dumpTree(*parseProgram(QString::fromUtf8(code))).toStdString();
}

TEST(TreePrinter, ProceduresInBlocksAndCompactFormsAreHoisted)
{
    EXPECT_EQ(tree("If a Then\nSub S : Stop : End Sub\nEnd If\nSelect Case a : Case 1 b = 2 : End Select"),
              "Public Sub S()  @2\n"
              "  Nop  @2\n"
              "If  @1\n"
              "  when\n"
              "    Name a\n"
              "  then\n"
              "Select  @4\n"
              "  Name a\n"
              "  Case\n"
              "    Literal 1 Integer\n"
              "    do\n"
              "      Assign  @4\n"
              "        Name b\n"
              "        Literal 2 Integer\n");
}

TEST(TreePrinter, LiteralsShowTheirTypeAndStringsTheirQuotes)
{
    EXPECT_EQ(tree("x = Array(&HFFFF&, 1.5, \"a\"\"b\", , Null)"),
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
