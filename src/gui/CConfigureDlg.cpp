#include "gui/CConfigureDlg.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "app/LaunchQuestion.h"
#include "gui/PaintOpPainter.h"
#include "gui/ToolTipEvent.h"

namespace n240qx {

namespace {

// The message line sits right of the OK area, below the list.
const QRect kMessagePlace(70, 336, 310, 52);
constexpr int kMessageFontPixels = 11;
const QColor kFallbackBackground(40, 40, 40);
const QColor kMessageColour(255, 200, 120);

FeedbackAction ActionOf(ProfileDialogModel::Operation operation) {
  switch (operation) {
    case ProfileDialogModel::Operation::kImport:
      return FeedbackAction::kImport;
    case ProfileDialogModel::Operation::kExport:
      return FeedbackAction::kExport;
    case ProfileDialogModel::Operation::kRename:
      break;
  }
  return FeedbackAction::kRename;
}

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace

CConfigureDlg::CConfigureDlg(ConfiguratorState& state, const ProgramPaths& paths,
                             ProfileFileChooser& chooser, Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      files_(language),
      store_(paths.ProfilesFolder(), files_, language),
      transfer_(state, store_, OwnFiles(paths), language),
      paths_(paths),
      chooser_(chooser),
      language_(language),
      texts_(language),
      skins_(FromPath(paths.SkinFolder(language) / std::string(ProfileDialogModel::kSkinFolder))),
      list_(new CTransparentListBox(this, true)),
      message_(new QLabel(this)) {
  setModal(true);
  setWindowTitle(FromView(ProfileDialogModel::WindowTitle(language_)));
  transfer_.ApproveLaunchesWith([this](const std::vector<LaunchPathChange>& changes) {
    return chooser_.Confirm(this, LaunchQuestion(texts_, changes).Prompt());
  });
  const PixelRect& place = ProfileDialogModel::kList;
  list_->setGeometry(place.left, place.top, place.Width(), place.Height());
  list_->setObjectName(QStringLiteral("profiles"));
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(ProfileDialogModel::kListFontHeight);
  list_->setFont(font);
  list_->SetColours(ToQColor(ProfileDialogModel::kListText),
                    ToQColor(ProfileDialogModel::kListHighlight));
  // Plain names: the list shows names without ".bin", so appending it would make every
  // unchanged edit a rename, and a rename removes every other profile in the folder.
  list_->SetEditMode(ListEditMode::kPlainNames);
  connect(list_, &CTransparentListBox::EditAccepted, this, &CConfigureDlg::OnRenamed);

  message_->setGeometry(kMessagePlace);
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont small(QStringLiteral("Arial"));
  small.setPixelSize(kMessageFontPixels);
  message_->setFont(small);
  QPalette colours = message_->palette();
  colours.setColor(QPalette::WindowText, kMessageColour);
  message_->setPalette(colours);

  const QImage& background = skins_.Picture(FromView(ProfileDialogModel::kBackground));
  setFixedSize(background.isNull()
                   ? QSize(ProfileDialogModel::kFallbackWidth, ProfileDialogModel::kFallbackHeight)
                   : background.size());
}

QString CConfigureDlg::message() const {
  return message_->text();
}

void CConfigureDlg::Open() {
  changed_ = false;
  feedback_.Clear();
  message_->clear();
  drag_.Reset();
  ListProfiles();
  list_->setFocus(Qt::OtherFocusReason);
}

bool CConfigureDlg::Run() {
  Open();
  exec();
  return changed_;
}

QString CConfigureDlg::StartFolder() const {
  return FromPath(paths_.data_folder());
}

void CConfigureDlg::ListProfiles() {
  list_->ResetContent();
  entries_.clear();
  auto listed = store_.List();
  if (!listed.ok()) {
    ShowFailure({}, listed.error());
    return;
  }
  for (ProfileEntry& entry : *listed) {
    const int row = list_->AddString(QString::fromStdString(entry.name));
    entries_.insert(entries_.begin() + row, std::move(entry));
  }
}

void CConfigureDlg::Act(ProfileDialogAction action) {
  switch (action) {
    case ProfileDialogAction::kClose:
      accept();
      break;
    case ProfileDialogAction::kImport:
      Import();
      break;
    case ProfileDialogAction::kExport:
      Export();
      break;
    case ProfileDialogAction::kNone:
      break;
  }
}

void CConfigureDlg::Import() {
  const QString chosen = chooser_.ChooseImport(this, StartFolder());
  if (!chosen.isEmpty()) {
    Reflect(transfer_.Import(chosen.toStdString(), ProfileTransfer::UnusableName::kKeepAsImported),
            ProfileDialogModel::Operation::kImport, {});
  }
}

void CConfigureDlg::Export() {
  const QString chosen = chooser_.ChooseExport(this, StartFolder());
  if (!chosen.isEmpty()) {
    Reflect(transfer_.Export(chosen.toStdString()), ProfileDialogModel::Operation::kExport,
            chosen.toStdString());
  }
}

void CConfigureDlg::OnRenamed(int old_row, int new_row) {
  if (old_row < 0 || old_row >= static_cast<int>(entries_.size())) {
    return;
  }
  Reflect(transfer_.Rename(entries_[static_cast<std::size_t>(old_row)],
                           list_->Text(new_row).toStdString()),
          ProfileDialogModel::Operation::kRename, {});
}

void CConfigureDlg::Reflect(const ProfileOutcome& outcome, ProfileDialogModel::Operation operation,
                            const std::string& detail) {
  changed_ = changed_ || outcome.configuration_changed;
  // The list shows what the folder holds now, whatever happened.
  ListProfiles();
  if (!outcome.status.ok()) {
    ShowFailure(
        ProfileDialogModel::FailureText(operation, outcome.configuration_changed, language_),
        outcome.status.error());
    return;
  }
  // An import and a rename name the profile as the folder keeps it.
  const std::string named = outcome.kept && detail.empty() ? outcome.kept->name : detail;
  feedback_.Succeeded(ActionOf(operation), named);
  ShowFeedback();
}

void CConfigureDlg::ShowFailure(std::string_view prefix, const Error& error) {
  feedback_.Failed(std::string(prefix) + error.message);
  ShowFeedback();
}

void CConfigureDlg::ShowFeedback() {
  const bool failed = message_is_failure();
  QPalette colours = message_->palette();
  colours.setColor(QPalette::WindowText,
                   failed ? kMessageColour : ToQColor(ProfileDialogModel::kListHighlight));
  message_->setPalette(colours);
  message_->setText(QString::fromStdString(failed ? feedback_.failure() : feedback_.success()));
}

void CConfigureDlg::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kFallbackBackground);
  PaintOps(painter, ProfileDialogModel::Paint(language_), skins_);
}

void CConfigureDlg::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton && ProfileDialogModel::MovesDialog(at.x(), at.y())) {
    drag_.Press(*event);
  }
}

void CConfigureDlg::mouseMoveEvent(QMouseEvent* event) {
  drag_.Move(*event);
}

void CConfigureDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !drag_.ReleaseIsClick(*event)) {
    return;
  }
  const QPoint at = event->position().toPoint();
  Act(ProfileDialogModel::OnButtonUp(at.x(), at.y()));
}

void CConfigureDlg::keyPressEvent(QKeyEvent* event) {
  // Enter belongs to the list (and its edit box); it never closes the dialog.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool CConfigureDlg::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QDialog::event(event);
  }
  auto& help = static_cast<QHelpEvent&>(*event);
  AnswerToolTip(*this, help,
                FromView(ProfileDialogModel::ToolTipAt(help.x(), help.y(), language_)));
  return true;
}

}  // namespace n240qx
