#include "CAppendDlg.h"

#include "CVelmoraWrap.h"
#include "FrameMessageIds.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CAppendDlg::CAppendDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AppendDlg"));
    setProperty("helpContext", 135687); // help context: the fleet files help
    setWindowTitle(CVelmoraWrap::LoadString(FrameText::DialogAppend));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    top->addWidget(icon);
    m_text = new QLabel(this);
    m_text->setProperty("controlId", 1171);
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(320);
    top->addWidget(m_text, 1);
    layout->addLayout(top);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const struct
    {
        int controlId;
        int textId;
        int answer;
    } choices[] = {
        {1043, FrameText::AppendOverwrite, Overwrite},
        {1046, FrameText::AppendOverwriteAll, OverwriteAll},
        {1049, FrameText::AppendSkip, Skip},
        {1052, FrameText::AppendSkipAll, SkipAll},
    };
    for (const auto& choice : choices) {
        auto* button = new QPushButton(CVelmoraWrap::LoadString(choice.textId), this);
        button->setProperty("controlId", choice.controlId);
        button->setAutoDefault(false);
        const int answer = choice.answer;
        connect(button, &QPushButton::clicked, this, [this, answer]() { Choose(answer); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
}

void CAppendDlg::SetImei(const QString& imei)
{
    m_text->setText(CVelmoraWrap::LoadString(1409).arg(imei));
}

QString CAppendDlg::Text() const
{
    return m_text->text();
}

int CAppendDlg::AskOverwrite(const QString& imei)
{
    SetImei(imei);
    m_answer = Dismissed;
    // The copy runs under the wait cursor; the question takes the ordinary one.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    exec();
    QApplication::restoreOverrideCursor();
    return m_answer;
}

void CAppendDlg::Choose(int answer)
{
    m_answer = answer;
    accept();
}
