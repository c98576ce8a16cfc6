#include "picker/converterpanel.h"

#include "core/appcontext.h"
#include "picker/converter.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace tintwell {

namespace {
QString WithoutAmpersands(QString name)
{
    return name.remove(QLatin1Char('&'));
}
} // namespace

ConverterPanel::ConverterPanel(QWidget *frame, AppContext &context, ConverterScriptRunner &scripts,
                               QObject *parent)
    : QObject(parent), m_ctx(context), m_scripts(scripts), m_type(new QComboBox(frame)),
      m_text(new QLineEdit(frame)), m_button(new QPushButton(QStringLiteral("Con&vert"), frame))
{
    // Created in this order, so the frame's access key reaches the list first
    // and Tab goes on to the text box.
    static const char *captions[kConvertTypeCount] = {"HTML", "Hex", "Decimal", "RGB",
                                                      "HSL",  "HSB/HSV", "CMY", "Octal"};
    for (const char *c : captions)
        m_type->addItem(QString::fromLatin1(c));
    m_type->setCurrentIndex(0);
    m_type->setToolTip(QStringLiteral("Format"));
    m_type->setGeometry(5, 16, 80, 21);
    m_text->setToolTip(QStringLiteral("Formatted Value"));
    m_text->setGeometry(90, 16, 92, 21);
    m_button->setToolTip(QStringLiteral("Convert Value"));
    m_button->setGeometry(186, 15, 50, 23);
    m_button->setAutoDefault(false);
    connect(m_button, &QPushButton::clicked, this, &ConverterPanel::cmdConvert_Click);
    QWidget::setTabOrder(m_type, m_text);
    QWidget::setTabOrder(m_text, m_button);
    m_text->installEventFilter(this);
    frame->installEventFilter(this);
    m_frame = frame;
}

void ConverterPanel::SetFormatNames()
{
    for (int i = 0; i < kConvertTypeCount - 1; ++i) {
        const int format = SchemeFormatOfConvertType(i);
        m_type->setItemText(i, WithoutAmpersands(m_ctx.Scheme.Info[std::size_t(format)].FormatName));
    }
    m_type->setItemText(ConvertOctal, QStringLiteral("Octal"));
}

void ConverterPanel::cmdConvert_Click()
{
    const int type = m_type->currentIndex();
    const QString text = m_text->text();
    const int format = SchemeFormatOfConvertType(type);
    if (format >= 0) {
        m_ctx.Script.ScriptName = WithoutAmpersands(m_ctx.Scheme.Info[std::size_t(format)].FormatName) +
                                  QStringLiteral(" Format Converter");
        if (m_scripts.RunConverterScript(type, text))
            return;
    }
    const ConvertResult r = ConvertText(text, type, m_ctx.Scheme, m_ctx.Factors);
    switch (r.outcome) {
    case ConvertOutcome::SetColor:
        emit colorChosen(r.color);
        break;
    case ConvertOutcome::TooLarge:
    case ConvertOutcome::Invalid: {
        const char *text = r.outcome == ConvertOutcome::TooLarge ? kConversionTooLarge : kConversionInvalid;
        // The box's Help button opens the converter's help topic.
        m_ctx.Messages->show(QString::fromLatin1(kConversionErrorTitle), QString::fromLatin1(text),
                             MsgIcon::Exclamation, MsgButtons::OkHelp, kConversionHelpTopic);
        break;
    }
    }
}

bool ConverterPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The frame's access key always lands on the type list, not on whichever
    // of the frame's controls had the focus last.
    if (watched == m_frame && event->type() == QEvent::Shortcut) {
        m_type->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    if (watched == m_text && event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            cmdConvert_Click();
            return true;
        }
        if (key->key() == Qt::Key_C && key->modifiers() == Qt::ControlModifier) {
            QClipboard *clipboard = QGuiApplication::clipboard();
            clipboard->clear();
            clipboard->setText(m_text->text());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tintwell
