// Showing the count session's state: the controls' states, the texts it
// set, the focus it asks for, its notices and its messages.

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <functional>

#include "console/Cvyn8_rk47View.h"
#include "console/UpDownCtrl.h"
#include "dialogs/DumDlg35.h"
#include "dialogs/Sample35.h"
#include "platform/Prompter.h"

namespace {

// Only what changed is set: the form is rendered after every frame.
void Show(QWidget* w, const FormControl& c) {
    if (w->testAttribute(Qt::WA_ForceDisabled) == c.enabled) {
        w->setEnabled(c.enabled);
    }
    if (w->isHidden() == c.visible) {
        w->setVisible(c.visible);
    }
}

// A stored value is shown whole, whatever limit typing into the edit has.
void ShowText(QLineEdit* edit, const FormText& text, const FormText& shown) {
    if (text.serial == shown.serial) {
        return;
    }
    if (edit->maxLength() < text.value.size()) {
        edit->setMaxLength(static_cast<int>(text.value.size()));
    }
    edit->setText(text.value);
}

// Opens `notice` without blocking the event loop and keeps it in `slot`
// until it closes; `closed` then carries on what waited for it.
template <class Notice>
void OpenNoticeIn(Notice* notice, Notice*& slot, std::function<void()> closed) {
    slot = notice;
    notice->OpenNotice([&slot, notice, closed = std::move(closed)](int) {
        if (slot == notice) {
            slot = nullptr;
        }
        closed();
    });
}

}  // namespace

void Cvyn8_rk47View::ConnectSession() {
    connect(m_session, &CountSession::changed, this, &Cvyn8_rk47View::Render);
    connect(m_session, &CountSession::message, this,
            [](const PromptRequest& request) { GetPrompter().Show(request); });
    connect(m_session, &CountSession::openDumpNotice, this, &Cvyn8_rk47View::OpenDumpNotice);
    connect(m_session, &CountSession::closeDumpNotice, this, [this] {
        if (m_pDumpDlg) {
            m_pDumpDlg->CloseNotice();  // the dump carries on as the notice closes
        }
    });
    connect(m_session, &CountSession::openSampleReady, this, &Cvyn8_rk47View::OpenSampleReady);
    connect(m_session, &CountSession::closeSampleReady, this, [this] {
        if (m_pSampleReadyDlg) {
            m_pSampleReadyDlg->CloseNotice();
        }
    });
    connect(m_session, &CountSession::dropNotices, this, &Cvyn8_rk47View::DropNotices);
    connect(m_session, &CountSession::returnToIdEntry, this, &Cvyn8_rk47View::ReturnToIdEntry);
    connect(m_session, &CountSession::scrollTo, this, &Cvyn8_rk47View::ScrollTo);
    connect(m_session, &CountSession::recordsChanged, this, &Cvyn8_rk47View::KeepUnsavedWorkSafe);
    connect(m_session, &CountSession::releaseChannel, this, &Cvyn8_rk47View::ReleaseChannel);
    connect(m_session, &CountSession::counterDisconnected, this, &Cvyn8_rk47View::StopReceiveLoop);
}

void Cvyn8_rk47View::Render() {
    const FormState& f = m_session->Form();
    const std::pair<QWidget*, const FormControl*> controls[] = {
        {m_grpConnectSet, &f.connectGroup},
        {m_comboCom, &f.com},
        {m_comboBaud, &f.baud},
        {m_btnConnect, &f.connect},
        {m_btnDisconnect, &f.disconnect},
        {m_grpCountMode, &f.countModeGroup},
        {m_radioTotalize, &f.totalize},
        {m_radioBatch, &f.batch},
        {m_comboName, &f.name},
        {m_btnLoadFile, &f.loadFile},
        {m_listSamples, &f.list},
        {m_btnDelete, &f.del},
        {m_chkSameAsPrevious, &f.sameAsPrevious},
        {m_grpDisplay, &f.displayGroup},
        {m_btnStart, &f.start},
        {m_btnStop, &f.stop},
        {m_btnZero, &f.zero},
        {m_btnDump, &f.dump},
        {m_btnRepeat, &f.repeat},
        {m_btnDone, &f.done},
        {m_btnReset, &f.reset},
        {m_editID, &f.idEntry},
        {m_editPackageNo, &f.packageNo},
        {m_editCount, &f.count},
        {m_editBatchNo, &f.batchNo},
        {m_editFeedSpeed, &f.feedSpeed},
        {m_editGateHor, &f.gateHor},
        {m_editGateVer, &f.gateVer},
        {m_editSensitivity, &f.sensitivity},
        {m_spinFeedSpeed, &f.spin},
    };
    for (const auto& [widget, state] : controls) {
        Show(widget, *state);
    }
    m_radioTotalize->setChecked(f.totalizeChecked);
    m_radioBatch->setChecked(f.batchChecked);
    m_chkSameAsPrevious->setChecked(f.sameAsPreviousChecked);
    ShowText(m_editPackageNo, f.packageNoText, m_shown.packageNoText);
    ShowText(m_editCount, f.countText, m_shown.countText);
    ShowText(m_editBatchNo, f.batchNoText, m_shown.batchNoText);
    ShowText(m_editFeedSpeed, f.feedSpeedText, m_shown.feedSpeedText);
    ShowText(m_editGateHor, f.gateHorText, m_shown.gateHorText);
    ShowText(m_editGateVer, f.gateVerText, m_shown.gateVerText);
    ShowText(m_editSensitivity, f.sensitivityText, m_shown.sensitivityText);
    if (f.spinSerial != m_shown.spinSerial) {
        m_spinFeedSpeed->SetPos(static_cast<qint16>(f.spinPos));
    }
    if (f.idClearSerial != m_shown.idClearSerial) {
        m_editID->clear();
    }
    if (f.idSelectSerial != m_shown.idSelectSerial) {
        m_editID->selectAll();
    }
    const bool focusMoved = f.focusSerial != m_shown.focusSerial;
    m_shown = f;
    if (focusMoved) {
        (f.focus == FocusTarget::IdEntry ? static_cast<QWidget*>(m_editID) : m_listSamples)
            ->setFocus();
    }
}

void Cvyn8_rk47View::OpenDumpNotice() {
    // The rest of the dump runs when the notice closes.
    OpenNoticeIn(new DumDlg35(this), m_pDumpDlg, [this] { m_session->DumpNoticeClosed(); });
}

void Cvyn8_rk47View::OpenSampleReady() {
    OpenNoticeIn(new Sample35(this), m_pSampleReadyDlg, [this] { m_session->SampleReadyClosed(); });
}

void Cvyn8_rk47View::DropNotices() {
    // Closed without carrying on what their closing would: the link ended.
    for (CNoticeDlg* notice :
         {static_cast<CNoticeDlg*>(m_pDumpDlg), static_cast<CNoticeDlg*>(m_pSampleReadyDlg)}) {
        if (notice) {
            QObject::disconnect(notice, &QDialog::finished, nullptr, nullptr);
            notice->CloseNotice();
            notice->deleteLater();
        }
    }
    m_pDumpDlg = nullptr;
    m_pSampleReadyDlg = nullptr;
}

void Cvyn8_rk47View::ReturnToIdEntry() {
    QWidget* top = window();
    top->raise();
    top->activateWindow();
    QCursor::setPos(m_editID->mapToGlobal(m_editID->rect().center()));
}

void Cvyn8_rk47View::ScrollTo(int row, bool top) {
    if (top) {
        // The list lays out its new rows first: before that, its scroll
        // range ends at the old last row and the scroll falls short.
        m_listSamples->doItemsLayout();
    }
    m_listSamples->scrollTo(m_model->index(row, 0), top ? QAbstractItemView::PositionAtTop
                                                        : QAbstractItemView::EnsureVisible);
}
