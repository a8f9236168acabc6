#include "cli/module_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/failure.h"

namespace tandrel::cli {
namespace {

std::vector<std::u16string> U16Lines(const std::vector<std::string>& lines) {
  std::vector<std::u16string> wide;
  for (const auto& line : lines) wide.emplace_back(line.begin(), line.end());
  return wide;
}

struct ModuleRow {
  const char* name;
  std::string text;
  bool raw;
  std::vector<std::string> lines;  // the module as the code window shows it
  std::size_t headerLines;
};

// Parameterised tests are listed under the row's name.
void PrintTo(const ModuleRow& row, std::ostream* out) { *out << row.name; }

class ModuleFromBytesTest : public ::testing::TestWithParam<ModuleRow> {};

std::vector<std::u16string> CodeLines(const ModuleSource& module) {
  std::vector<std::u16string> lines;
  for (std::size_t i = 0; i < module.Code()->LineCount(); ++i) lines.emplace_back(module.Code()->Line(i));
  return lines;
}

TEST_P(ModuleFromBytesTest, ShowsWhatTheCodeWindowShows) {
  const ModuleSource module = ModuleFromBytes(GetParam().text, {GetParam().raw, ""});
  EXPECT_EQ(CodeLines(module), U16Lines(GetParam().lines));
  EXPECT_EQ(module.HeaderLines(), GetParam().headerLines);
}

const char* const kClassHeader =
    "VERSION 1.0 CLASS\r\n"
    "BEGIN\r\n"
    "  MultiUse = -1  'True\r\n"
    "  Persistable = 0  'NotPersistable\r\n"
    "  DataBindingBehavior = 0  'vbNone\r\n"
    "  DataSourceBehavior  = 0  'vbNone\r\n"
    "  MTSTransactionMode  = 0  'NotAnMTSObject\r\n"
    "END\r\n"
    "Attribute VB_Name = \"Account\"\r\n"
    "Attribute VB_GlobalNameSpace = False\r\n"
    "Attribute VB_Creatable = True\r\n"
    "Attribute VB_PredeclaredId = False\r\n"
    "Attribute VB_Exposed = False\r\n";

// Controls nest, property groups nest inside them, and property values may read like the keywords.
const char* const kFormHeader =
    "VERSION 5.00\r\n"
    "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n"
    "Object = \"{F9043C88-F6F2-101A-A3C9-08002B2F49FB}#1.2#0\"; \"COMDLG32.OCX\"\r\n"
    "Begin VB.Form frmMain \r\n"
    "   Caption         =   \"End\"\r\n"
    "   Begin VB.Frame fraOptions \r\n"
    "      Caption         =   \"Begin\"\r\n"
    "      Begin VB.OptionButton optFast \r\n"
    "         BeginProperty Font \r\n"
    "            Name            =   \"Tahoma\"\r\n"
    "         EndProperty\r\n"
    "      End\r\n"
    "   End\r\n"
    "   Begin VB.Menu mnuFile \r\n"
    "      Caption         =   \"&File\"\r\n"
    "      Begin VB.Menu mnuExit \r\n"
    "         Caption         =   \"E&xit\"\r\n"
    "      End\r\n"
    "   End\r\n"
    "End\r\n"
    "Attribute VB_Name = \"frmMain\"\r\n"
    "Attribute VB_GlobalNameSpace = False\r\n"
    "Attribute VB_Creatable = False\r\n"
    "Attribute VB_PredeclaredId = True\r\n"
    "Attribute VB_Exposed = False\r\n";

INSTANTIATE_TEST_SUITE_P(
    LineBreaks, ModuleFromBytesTest,
    ::testing::Values(ModuleRow{"Empty", "", false, {}, 0}, ModuleRow{"OneBreak", "\r\n", false, {""}, 0},
                      ModuleRow{"FinalBreakAddsNoLine", "a\r\n\r\n", false, {"a", ""}, 0},
                      ModuleRow{"NoFinalBreak", "a\r\nb", false, {"a", "b"}, 0},
                      ModuleRow{"MixedBreaks", "a\nb\rc\r\nd\n", false, {"a", "b", "c", "d"}, 0},
                      ModuleRow{"LfCrIsTwoBreaks", "a\n\rb", false, {"a", "", "b"}, 0}));

INSTANTIATE_TEST_SUITE_P(
    Headers, ModuleFromBytesTest,
    ::testing::Values(
        ModuleRow{"StandardModule",
                  "Attribute VB_Name = \"Tools\"\r\nOption Explicit\r\n",
                  false,
                  {"Option Explicit"},
                  1},
        ModuleRow{"StandardModuleRaw",
                  "Attribute VB_Name = \"Tools\"\r\nOption Explicit\r\n",
                  true,
                  {"Attribute VB_Name = \"Tools\"", "Option Explicit"},
                  0},
        ModuleRow{
            "ClassModule", std::string(kClassHeader) + "Option Explicit\r\n", false, {"Option Explicit"}, 13},
        ModuleRow{"Form",
                  std::string(kFormHeader) + "Private Sub Form_Load()\r\nEnd Sub\r\n",
                  false,
                  {"Private Sub Form_Load()", "End Sub"},
                  25},
        ModuleRow{"UserControl",
                  "VERSION 5.00\r\nBegin VB.UserControl ucGauge \r\n   ClientHeight    =   600\r\nEnd\r\n"
                  "Attribute VB_Name = \"ucGauge\"\r\nAttribute VB_Exposed = True\r\n\r\nOption Explicit\r\n",
                  false,
                  {"", "Option Explicit"},
                  6},
        ModuleRow{"HeaderOnly", "Attribute VB_Name = \"Empty\"\r\n", false, {}, 1},
        ModuleRow{"NoHeader", "Sub Main()\r\nEnd Sub\r\n", false, {"Sub Main()", "End Sub"}, 0},
        // Only the leading block is a header; a procedure's attribute further down is hidden all the same.
        ModuleRow{
            "AttributeAfterCode",
            "Attribute VB_Name = \"Tools\"\r\nPublic Function Item()\r\nAttribute Item.VB_UserMemId = 0\r\n",
            false,
            {"Public Function Item()"},
            1},
        // A designer block that never closes is not a header the IDE wrote; nothing is taken away.
        ModuleRow{"UnclosedDesignerBlock",
                  "VERSION 5.00\r\nBegin VB.Form frmBroken \r\n   Caption = \"x\"\r\n",
                  false,
                  {"VERSION 5.00", "Begin VB.Form frmBroken ", "   Caption = \"x\""},
                  0}));

struct ExampleRow {
  const char* file;
  std::size_t headerLines;
  std::size_t codeLines;
};

void PrintTo(const ExampleRow& row, std::ostream* out) { *out << row.file; }

class ExampleModulesTest : public ::testing::TestWithParam<ExampleRow> {};

// The bundled examples start where the code window starts: at their Option Explicit.
TEST_P(ExampleModulesTest, StartAtTheirCode) {
  const ModuleSource module = LoadModule(std::string(TANDREL_EXAMPLES_DIR "/") + GetParam().file, {});
  EXPECT_EQ(module.HeaderLines(), GetParam().headerLines);
  ASSERT_EQ(module.Code()->LineCount(), GetParam().codeLines);
  EXPECT_EQ(module.Code()->Line(0), u"Option Explicit");
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleModulesTest,
                         ::testing::Values(ExampleRow{"Orders.bas", 1, 78},
                                           ExampleRow{"Customer.cls", 13, 66},
                                           ExampleRow{"OrderForm.frm", 81, 49},
                                           ExampleRow{"Cyrillic.bas", 1, 20}));

TEST(LoadModuleTest, NamesTheFileWhenItCannotBeRead) {
  for (const std::string& path :
       {std::string("/nonexistent/Module1.bas"), std::string(TANDREL_EXAMPLES_DIR)}) {
    try {
      LoadModule(path, {});
      ADD_FAILURE() << path << " loaded";
    } catch (const InvocationError& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with(path + ": ")) << error.what();
    }
  }
}

}  // namespace
}  // namespace tandrel::cli
