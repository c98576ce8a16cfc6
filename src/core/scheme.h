#pragma once
// The format scheme: how the seven output formats look and how the sliders
// behave. One scheme is active at a time (AppContext::Scheme); loading replaces
// the fields it reads in place, so a damaged text leaves the old values of the
// fields it could not read.

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>

namespace tintwell {

class UserMessages;

// Format indexes, the order of the scheme tables, the slot files and the scripts.
constexpr int TN_RGB = 0;
constexpr int TN_HSL = 1;
constexpr int TN_HSB = 2;
constexpr int TN_CMY = 3;
constexpr int TN_HTML = 4;
constexpr int TN_HEX = 5;
constexpr int TN_DEC = 6;
constexpr int kFormatCount = 7;
constexpr int kSystemCount = 4; // RGB, HSL, HSB, CMY: the formats with numeric records

// Sub-types: the fields of a numeric record, in file order.
constexpr int FMT_iBase = 0;
constexpr int FMT_iStep = 1;
constexpr int FMT_iLargeStep = 2;
constexpr int FMT_iFormat = 3;
constexpr int FMT_oBase = 4;
constexpr int FMT_oFormat = 5;

// Items: four slider items (the shade slider last), three value items.
constexpr int TN_ITEM1 = 0;
constexpr int TN_ITEM2 = 1;
constexpr int TN_ITEM3 = 2;
constexpr int TN_ITEM4 = 3;
constexpr int TN_SHADE = 3;
constexpr int TN_VAL1 = 0;
constexpr int TN_VAL2 = 1;
constexpr int TN_VAL3 = 2;

// Resource ids of the built-in schemes; scheme index i (0-3) is id 150 + i.
constexpr int kSchemeStandard = 150;
constexpr int kSchemeByte = 151;
constexpr int kSchemePercentage = 152;
constexpr int kSchemeDecimal = 153;

// Scheme indexes as the "Format" setting numbers them: 0-3 built in, 4-8 the user slots.
constexpr int kFirstCustomScheme = 4;
constexpr int kSchemeCount = 9;
constexpr int kCustomSlotCount = 5;

// Lines of one system's record and of the whole numeric block.
constexpr int kRecordLines = 21;
constexpr int kNumericBlockLines = kSystemCount * kRecordLines; // 84

struct NumericFormat {
    std::array<float, 4> InputBase{};      // slider maxima (items 0-2, shade 3)
    std::array<float, 4> InputStep{};      // plus and minus buttons
    std::array<float, 4> InputLargeStep{}; // track presses
    std::array<QString, 3> InputFormat;    // patterns of the slider boxes
    std::array<float, 3> OutputBase{};     // maxima of the output values
    std::array<QString, 3> OutputFormat;   // patterns of the output values
};

struct OutputSeparator {
    QString LeftEnd;        // before value 1
    QString LeftSeparator;  // between values 1 and 2
    QString RightSeparator; // between values 2 and 3
    QString RightEnd;       // after the last value
};

struct FormatInfo {
    QString FormatName; // may hold one "&" for the access key
    QString ExportScript;
    QString ConverterScript;
};

struct FormatScheme {
    std::array<NumericFormat, kSystemCount> Formats;
    std::array<OutputSeparator, kFormatCount> OutputSeparators;
    std::array<FormatInfo, kFormatCount> Info;
    std::array<QString, kCustomSlotCount> CustomNames; // names of Custom 1 to Custom 5
};

// What one load met. Errors are counted per call; the third one aborts.
struct SchemeLoadResult {
    int errors = 0;
    bool aborted = false;
};

// The raw bytes of built-in scheme text 150-153; empty for any other id.
QByteArray BuiltInSchemeText(int resourceId);

// Fills the four numeric records from built-in text resourceId, then resets
// names, separators and scripts to the built-in defaults (unless the load was
// aborted). Leaves the custom slot names alone. Each error is shown in an
// "Error" box; the third ends the load with an "Aborting Load" box.
SchemeLoadResult LoadDefaultScheme(FormatScheme &scheme, int resourceId, UserMessages &messages);
// The same from given bytes (one character per byte, lines split at CR LF).
SchemeLoadResult LoadDefaultSchemeFromText(FormatScheme &scheme, const QByteArray &text,
                                           UserMessages &messages);

// Loads scheme index 0-8 into scheme. Result 0 for success, 1 when the file of
// a user slot does not exist (the scheme is then unchanged). An index outside
// 0-8 does nothing and returns 0. User slots are read from programFolder.
//
// The format names are the main window's business: for every index 0-8,
// onLoaded (when given) is called after the load, whatever its result, and is
// where the window runs SetFormatNames. The caller computes the scale factors
// next.
int LoadScheme(FormatScheme &scheme, int index, UserMessages &messages,
               const QString &programFolder, const std::function<void()> &onLoaded = {});

namespace detail {
// Counts load errors and shows their boxes. context is "the default format" or
// "the custom format"; the abort text differs between the two loaders.
class SchemeErrors
{
public:
    SchemeErrors(UserMessages &messages, QString context, QString abortText);
    // Reports one failing step. Returns false when the load must stop now.
    bool report(int number, const QString &description);
    SchemeLoadResult result() const { return m_result; }

private:
    UserMessages &m_messages;
    QString m_context;
    QString m_abortText;
    SchemeLoadResult m_result;
};

// Error numbers and texts of the two failures a loader meets.
constexpr int kErrTypeMismatch = 13;
constexpr int kErrMissingLine = 9;
QString typeMismatchText();
QString missingLineText();

// Reads the 84-line numeric block starting at lines[line] into the records.
// Advances line past every step, failed or not. Returns false on abort.
bool ReadNumericBlock(FormatScheme &scheme, const QStringList &lines, int &line,
                      SchemeErrors &errors);
// Names, separators and scripts of every built-in scheme.
void ResetToDefaultFormatInfo(FormatScheme &scheme);
// One character per byte, split at CR LF.
QStringList SplitSchemeLines(const QString &text);
} // namespace detail

} // namespace tintwell
