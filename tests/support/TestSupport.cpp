#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include "platform/DataFolder.h"

int RecordingPrompter::Show(const PromptRequest& request) {
    shown.push_back(request);
    if (!m_answers.empty()) {
        const int r = m_answers.front();
        m_answers.pop_front();
        return r;
    }
    return request.buttons == PromptButtons::YesNo ? IDYES : IDOK;
}

QStringList RecordingPrompter::Texts() const {
    QStringList out;
    for (const auto& r : shown) {
        out << r.text;
    }
    return out;
}

int RecordingPrompter::Count(const QString& text) const {
    int n = 0;
    for (const auto& r : shown) {
        n += r.text == text ? 1 : 0;
    }
    return n;
}

int ScriptedDialogRunner::Run(CDialogBase& dialog) {
    titles << dialog.windowTitle();
    if (m_actions.empty()) {
        // Nobody scripted this one: close it as the close box would.
        ++unscripted;
        dialog.reject();
        return dialog.result();
    }
    Action action = std::move(m_actions.front());
    m_actions.pop_front();
    dialog.setResult(0);
    action(dialog);
    return dialog.result();
}

QString ScriptedFileChooser::Choose(const FileDialogRequest& request) {
    requests.push_back(request);
    // A name the dialog refuses keeps it open: the next scripted name is
    // typed into it.
    while (!m_paths.empty()) {
        QString p = m_paths.front();
        m_paths.pop_front();
        if (p.isEmpty() || !request.accept || request.accept(p)) {
            return p;
        }
    }
    return QString();
}

TempWorkDir::TempWorkDir() : m_oldCwd(QDir::currentPath()), m_oldDataFolder(DataFolder()) {
    QDir::setCurrent(m_dir.path());
    SetDataFolder(m_dir.path());
}

TempWorkDir::~TempWorkDir() {
    SetDataFolder(m_oldDataFolder);
    QDir::setCurrent(m_oldCwd);
}

void TempWorkDir::Write(const QString& name, const QByteArray& bytes) const {
    QFile f(Path(name));
    if (f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
    }
}

QByteArray TempWorkDir::Read(const QString& name) const {
    QFile f(Path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempWorkDir::Exists(const QString& name) const {
    return QFile::exists(Path(name));
}

void ClickControl(QWidget* root, int id) {
    if (auto* b = FindControlAs<QAbstractButton>(root, id)) {
        b->click();
    }
}

void SetControlText(QWidget* root, int id, const QString& text) {
    QWidget* w = FindControl(root, id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        c->setEditText(text);
    }
}

QString ControlText(QWidget* root, int id) {
    QWidget* w = FindControl(root, id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return e->text();
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        return c->currentText();
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        return b->text();
    }
    return QString();
}
