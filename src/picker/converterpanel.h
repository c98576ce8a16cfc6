#pragma once
// The format converter in the main window's "Format Co&nverter" frame: the
// type list cboConvertType, the text box txtConvert and the button
// cmdConvert. A converted colour goes out through colorChosen.

#include <QObject>
#include <QString>
#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tintwell {

struct AppContext;

// The converter script of a scheme format, run by the script host. A script
// reads the typed text and sets the colour itself through the script objects.
class ConverterScriptRunner
{
public:
    virtual ~ConverterScriptRunner() = default;
    // type: the converter list index 0-6 (the output box index); text: what
    // the box holds, for the script to read. True when the active scheme's
    // format carries a converter script and it was run; the built-in rule is
    // then skipped.
    virtual bool RunConverterScript(int type, const QString &text) = 0;
};

// For a program without a script host: every format uses its built-in rule.
class NoConverterScripts : public ConverterScriptRunner
{
public:
    bool RunConverterScript(int, const QString &) override { return false; }
};

class ConverterPanel : public QObject
{
    Q_OBJECT
public:
    ConverterPanel(QWidget *frame, AppContext &context, ConverterScriptRunner &scripts,
                   QObject *parent = nullptr);

    // Items 0-6 take the active scheme's format names without "&"; item 7 stays "Octal".
    void SetFormatNames();
    void cmdConvert_Click();

    QComboBox *cboConvertType() const { return m_type; }
    QLineEdit *txtConvert() const { return m_text; }
    QPushButton *cmdConvert() const { return m_button; }

signals:
    void colorChosen(std::int32_t colour);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppContext &m_ctx;
    ConverterScriptRunner &m_scripts;
    QComboBox *m_type;
    QLineEdit *m_text;
    QPushButton *m_button;
    QWidget *m_frame = nullptr;
};

} // namespace tintwell
