// The IC editor frmIC ("IC-Assistent"): the name and package size of the IC being defined, its
// package with the pins laid out on the outline, the pins not laid out yet, and the save key.
// Closing it leaves the IC-definition view.
#pragma once

#include <vector>

#include <QWidget>

class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace kardo {

class ICPackageView;
class ICPinHandle;

class frmIC : public QWidget {
    Q_OBJECT
  public:
    explicit frmIC(QWidget* owner);
    // Shows the definition state again: name, size, package and the pin labels.
    void Refresh();
    // Hides the window without leaving the view (the view is being left already).
    void HideQuietly();
    ICPackageView& Package() { return *m_view; }
    // The pins without a place, as dropped on the list of pins not laid out.
    void DropOnUnplaced(int nr);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SizeEntered();
    void ShowProblem(const std::string& text);

    QLabel* m_lblName = nullptr;         // lblName: the IC's name or "IC-Neu"
    QLineEdit* m_txtName = nullptr;      // txtName
    QLineEdit* m_txtX = nullptr;         // txtX: package width
    QLineEdit* m_txtY = nullptr;         // txtY: package height
    ICPackageView* m_view = nullptr;     // picIC
    QWidget* m_free = nullptr;           // picFrei: pins without a place
    QVBoxLayout* m_freeLayout = nullptr; // its column of labels
    QLabel* m_status = nullptr;          // lblStatus: why a drop or save was refused
    std::vector<ICPinHandle*> m_handles; // lblInOut 1.. (entry 0 unused)
    bool m_quiet = false;                // closing on the view's behalf
};

} // namespace kardo
