// The debug printer shows how a text was parsed: these pin the shapes where a
// wrong parse would still run, only to a different result.

#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/parser.h"
#include "scripting/vbscript/treeprinter.h"

#include <gtest/gtest.h>

using namespace tintwell::vbs;

namespace {

std::string tree(const char *code)
{
    return dumpTree(*parseProgram(QString::fromUtf8(code))).toStdString();
}

TEST(TreePrinter, SignBindsTighterThanPowerAndPowerTighterThanProduct)
{
    EXPECT_EQ(tree("x = -3 ^ 2 * 2"),
              "Assign  @1\n"
              "  Name x\n"
              "  Binary *\n"
              "    Binary ^\n"
              "      Unary -\n"
              "        Literal 3 Integer\n"
              "      Literal 2 Integer\n"
              "    Literal 2 Integer\n");
}

TEST(TreePrinter, CallArgumentsInsideWithAreMembersOfTheWithObject)
{
    EXPECT_EQ(tree("With o\nFoo .Name, 2\nEnd With"),
              "With  @1\n"
              "  Name o\n"
              "  do\n"
              "    Call  @2\n"
              "      Name Foo\n"
              "        Member .Name of With\n"
              "        Literal 2 Integer\n");
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

TEST(TreePrinter, CompileErrorsCarryTheirPosition)
{
    try {
        parseProgram(QStringLiteral("x = 1\ny = (2 +"));
        FAIL() << "no compile error";
    } catch (const VbsError &e) {
        EXPECT_EQ(e.number, err::ExpectedExpression);
        EXPECT_EQ(e.line, 2);
    }
}

} // namespace
