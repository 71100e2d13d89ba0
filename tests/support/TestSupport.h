#pragma once

// Shared test helpers: a recording prompter, a scripted dialog runner and
// file chooser, and a console set up in a temporary folder.

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/DialogBase.h"
#include "platform/FileChooser.h"
#include "platform/Prompter.h"

// Records every message box and answers from a script (IDOK, or IDYES for a
// Yes/No question, when the script is empty). Installs itself while alive.
class RecordingPrompter : public IPrompter {
public:
    RecordingPrompter() { SetPrompter(this); }
    ~RecordingPrompter() override { SetPrompter(nullptr); }

    int Show(const PromptRequest& request) override;
    void Answer(int result) { m_answers.push_back(result); }
    QStringList Texts() const;
    int Count(const QString& text) const;
    void Clear() { shown.clear(); }

    std::vector<PromptRequest> shown;

private:
    std::deque<int> m_answers;
};

// Runs each dialog the code under test opens with the next scripted action:
// the action fills fields and presses buttons, and the runner returns the
// dialog's result. A dialog with no action left is cancelled and recorded.
class ScriptedDialogRunner : public IDialogRunner {
public:
    using Action = std::function<void(CDialogBase&)>;
    ScriptedDialogRunner() { SetDialogRunner(this); }
    ~ScriptedDialogRunner() override { SetDialogRunner(nullptr); }

    int Run(CDialogBase& dialog) override;
    void Then(Action action) { m_actions.push_back(std::move(action)); }
    int unscripted = 0;  // dialogs opened with no action left
    QStringList titles;  // window titles of every dialog run

private:
    std::deque<Action> m_actions;
};

// Answers file dialogs with the scripted paths ("" = cancel). A path the
// request's accept check refuses is followed by the next one, as in a dialog
// that stayed open; with none left the dialog is cancelled.
class ScriptedFileChooser : public IFileChooser {
public:
    ScriptedFileChooser() { SetFileChooser(this); }
    ~ScriptedFileChooser() override { SetFileChooser(nullptr); }
    QString Choose(const FileDialogRequest& request) override;
    void Answer(const QString& path) { m_paths.push_back(path); }
    std::vector<FileDialogRequest> requests;

private:
    std::deque<QString> m_paths;
};

// A temporary folder made the console's data folder (and the current
// directory) while alive.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const;
    QByteArray Read(const QString& name) const;
    bool Exists(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
    QString m_oldDataFolder;
};

// Three seed sets, CR LF line ends.
inline const QByteArray kThreeSeedSets =
    "Wheat 50 5 10 12\r\nBarley 60 6 11 13\r\nRice 45 4 8 9\r\n";

// Presses a push button found by control ID (does nothing if not found).
void ClickControl(QWidget* root, int id);
// Sets the text of an edit found by control ID, as typing would.
void SetControlText(QWidget* root, int id, const QString& text);
QString ControlText(QWidget* root, int id);
