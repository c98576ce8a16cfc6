#pragma once
// The advanced window's tree as data: which nodes there are, in which order,
// under which keys, and what the window shows for each (caption, description,
// input rows). The window only turns these into widgets.

#include "core/scheme.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tintwell {

enum class NodeField {
    None,             // no node, or a key the tree never makes
    SchemeName,
    Format,           // a format's own node
    FormatName,
    OutputBase,
    OutputFormat,
    OutputSeparators,
    InputBase,
    InputFormat,
    InputStep,
    InputLargeStep,
};

struct NodeRef {
    NodeField field = NodeField::None;
    int format = -1; // 0-6 in scheme order; -1 for the scheme name
};

// "RGB", "HSL", "HSB", "CMY", "HTM", "HEX", "DEC" for format 0-6.
QString FormatKey(int format);
// The key of a node: "Name", a format key, or a format key + field name.
QString NodeKey(NodeRef node);
NodeRef ParseNodeKey(const QString &key);

struct TreeNode {
    QString key;
    QString text;
    QString parentKey; // empty for a root node
};

// Every node in the order the tree adds them.
QList<TreeNode> TreeNodes(const FormatScheme &scheme);

// The longest text a box takes; 0 means no limit.
constexpr int kSchemeNameMaxLength = 64;
constexpr int kValueMaxLength = 8;

struct NodeDisplay {
    QString caption;     // the frame's caption
    QString info;        // lblFormatInfo
    QStringList labels;  // one per visible input row
    QStringList values;  // the boxes' contents, as many as labels
    int maxLength = kValueMaxLength; // of every visible box
    bool scripting = false;          // the Custom Scripting buttons are shown
};

NodeDisplay DescribeNode(NodeRef node, const FormatScheme &scheme, const QString &schemeName);

// A stored value as the boxes show it: at most seven significant digits, no
// trailing zeros ("255", "0.01", "0.16666").
QString SingleText(float value);

// The box texts the editor accepts.
bool IsPlainNumber(const QString &text);  // digits, at most one ".", one digit at least
bool IsNumberPattern(const QString &text); // not empty; "#", "0", "," and at most one "."

} // namespace tintwell
