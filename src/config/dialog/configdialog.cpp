#include "config/dialog/configdialog.h"

#include <malloc.h>

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>

#include "base/errorcatalogue.h"
#include "base/zdebug.h"
#include "config/dialog/audiopage.h"
#include "config/dialog/generalpage.h"
#include "config/dialog/languagespage.h"
#include "config/dialog/playlistpage.h"
#include "config/dialog/skinspage.h"
#include "config/dialog/systempage.h"
#include "config/dialog/videopages.h"
#include "lang/textids.h"
#include "skin/skinstartup.h"
#include "skin/zgui.h"

namespace {

constexpr qsizetype kNameLength = 60;
constexpr int kHeaderHeight = 50;

// The page names are consecutive texts in the order of the page indexes.
static_assert(kTextPageGeneral + cpSystem == kTextPageSystem);

// Each page's parent in the tree (-1: a top node).
constexpr std::array<int, kConfigPageCount> kParentPage{
    -1, cpGeneral, cpGeneral, -1, -1, -1, -1, -1, cpVideo, cpVideo, cpVideo, cpVideo, -1};

QString Quoted(const QString& name) {
  return u'"' + name + u'"';
}

// The header picture; a press on it moves the window as its caption bar would.
class TZHeaderPicture : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && window()->windowHandle()) {
      window()->windowHandle()->startSystemMove();
    }
  }
};

QPixmap HeaderPicture(QSize size) {
  QPixmap picture(size);
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, size.width(), 0);
  gradient.setColorAt(0, QColor(24, 40, 72));
  gradient.setColorAt(1, QColor(70, 110, 170));
  painter.fillRect(picture.rect(), gradient);
  QFont font(QStringLiteral("Tahoma"), 18, QFont::Bold);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(picture.rect().adjusted(14, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Zephonic"));
  return picture;
}

// The place of a page that the program puts in with SetPage.
class TZEmptyPage : public TZConfigPage {
 public:
  using TZConfigPage::TZConfigPage;
  void Fill() override {}
  void ApplyGroup(TZConfigGroup) override {}
  void ApplyTexts(const TZLanguage&) override {}
};

}  // namespace

TfrmConfig::TfrmConfig(TZConfig& config, TZGUI& skin, TZConfigActions& actions, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      config_(config),
      skin_(skin),
      actions_(actions),
      Image1(new TZHeaderPicture(this)),
      TreeView1(new QTreeWidget(this)),
      lblBookTitle(new QLabel(this)),
      Notebook1(new QStackedWidget(this)),
      Button1(new QPushButton(this)),
      Button2(new QPushButton(this)),
      Button3(new QPushButton(this)),
      Button4(new QPushButton(this)) {
  setObjectName(QStringLiteral("frmConfig"));
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  BuildFrame();
  skinsPage_ = new TZSkinsPage(config_, actions_);
  languagesPage_ = new TZLanguagesPage(config_, actions_);
  systemPage_ = new TZSystemPage(config_, actions_);
  AddPage(cpGeneral, new TZGeneralPage(config_, actions_));
  AddPage(cpFiletypes, new TZEmptyPage);
  AddPage(cpShortcuts, new TZEmptyPage);
  AddPage(cpPlaylist, new TZPlaylistPage(config_, actions_));
  AddPage(cpSkins, skinsPage_);
  AddPage(cpLanguages, languagesPage_);
  AddPage(cpAudio, new TZAudioPage(config_, actions_));
  AddPage(cpVideo, new TZVideoPage(config_, actions_));
  AddPage(cpVideoFilter, new TZEmptyPage);
  AddPage(cpVideoOSD, new TZEmptyPage);
  AddPage(cpVideoDefault, new TZVideoDefaultPage(config_, actions_));
  AddPage(cpVideoFSControl, new TZVideoFSControlPage(config_, actions_));
  AddPage(cpSystem, systemPage_);
  BuildTree();
  ConnectPages();
  ApplyTexts(Language());
}

TfrmConfig::~TfrmConfig() = default;

void TfrmConfig::BuildFrame() {
  setFixedSize(kWidth, kHeight);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(0, 0, kWidth, kHeaderHeight);
  Image1->setPixmap(HeaderPicture(Image1->size()));
  TreeView1->setObjectName(QStringLiteral("TreeView1"));
  TreeView1->setGeometry(6, kHeaderHeight + 6, 130, 334);
  TreeView1->setHeaderHidden(true);
  TreeView1->setItemsExpandable(false);
  TreeView1->setRootIsDecorated(false);
  lblBookTitle->setObjectName(QStringLiteral("lblBookTitle"));
  lblBookTitle->setGeometry(144, kHeaderHeight + 4, 380, 20);
  QFont bold = lblBookTitle->font();
  bold.setBold(true);
  bold.setPointSize(10);
  lblBookTitle->setFont(bold);
  Notebook1->setObjectName(QStringLiteral("Notebook1"));
  Notebook1->setGeometry(144, kHeaderHeight + 26, 380, 314);
  const int buttonsTop = kHeight - 33;
  Button4->setGeometry(6, buttonsTop, 80, 25);
  Button1->setGeometry(272, buttonsTop, 80, 25);
  Button2->setGeometry(358, buttonsTop, 80, 25);
  Button3->setGeometry(444, buttonsTop, 80, 25);
  for (auto [button, name] : {std::pair{Button1, "Button1"}, std::pair{Button2, "Button2"},
                              std::pair{Button3, "Button3"}, std::pair{Button4, "Button4"}}) {
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
  }
  connect(Button1, &QPushButton::clicked, this, &TfrmConfig::ApplySettings);
  connect(Button2, &QPushButton::clicked, this, [this] {
    ApplySettings();
    hide();
  });
  connect(Button3, &QPushButton::clicked, this, &TfrmConfig::hide);
  connect(Button4, &QPushButton::clicked, this, &TfrmConfig::LoadDefaults);
}

void TfrmConfig::AddPage(int index, TZConfigPage* page) {
  pages_[size_t(index)] = page;
  Notebook1->addWidget(page);
}

void TfrmConfig::BuildTree() {
  for (int index = 0; index < kConfigPageCount; ++index) {
    const int parent = kParentPage[size_t(index)];
    auto* node =
        parent < 0 ? new QTreeWidgetItem(TreeView1) : new QTreeWidgetItem(nodes_[size_t(parent)]);
    node->setData(0, Qt::UserRole, index);
    nodes_[size_t(index)] = node;
  }
  TreeView1->expandAll();
  connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
    if (node) {
      SelectPage(node->data(0, Qt::UserRole).toInt());
    }
  });
}

void TfrmConfig::SetPage(int index, TZConfigPage* page) {
  TZConfigPage* old = pages_[size_t(index)];
  pages_[size_t(index)] = page;
  Notebook1->insertWidget(Notebook1->indexOf(old), page);
  Notebook1->removeWidget(old);
  delete old;
  ConnectPage(page);
  page->ApplyTexts(Language());
  if (isVisible()) {
    page->Fill();
  }
}

void TfrmConfig::ConnectPage(TZConfigPage* page) {
  connect(page, &TZConfigPage::groupChanged, this,
          [this, page](TZConfigGroup group) { OnGroupChanged(page, group); });
  connect(page, &TZConfigPage::groupCleared, this, [this](TZConfigGroup group) {
    marked_[size_t(group)] = false;
    UpdateApplyButton();
  });
}

void TfrmConfig::ConnectPages() {
  for (TZConfigPage* page : pages_) {
    ConnectPage(page);
  }
  connect(skinsPage_, &TZSkinsPage::skinChosen, this, [this](const QString& name) {
    pendingSkin_ = name.left(kNameLength);
    UpdateApplyButton();
  });
  connect(languagesPage_, &TZLanguagesPage::languageChosen, this, [this](const QString& name) {
    pendingLanguage_ = name.left(kNameLength);
    UpdateApplyButton();
  });
}

void TfrmConfig::OnGroupChanged(TZConfigPage* page, TZConfigGroup group) {
  marked_[size_t(group)] = true;
  owners_[size_t(group)] = page;
  UpdateApplyButton();
}

void TfrmConfig::ResetPending() {
  pendingSkin_.clear();
  pendingLanguage_.clear();
  marked_.fill(false);
  owners_.fill(nullptr);
}

void TfrmConfig::UpdateApplyButton() {
  const bool any = !pendingSkin_.isEmpty() || !pendingLanguage_.isEmpty() ||
                   std::find(marked_.begin(), marked_.end(), true) != marked_.end();
  Button1->setEnabled(any);
}

void TfrmConfig::ShowCentred() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  show();
  raise();
  activateWindow();
}

void TfrmConfig::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) {
    FormShow();
  }
}

void TfrmConfig::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous() && config_.SwapMemoryMngt) {
    malloc_trim(0);
  }
}

void TfrmConfig::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    actions_.ShowCaptionsInactive();
  }
}

void TfrmConfig::FormShow() {
  ResetPending();
  UpdateApplyButton();
  for (TZConfigPage* page : pages_) {
    page->Fill();
  }
  TreeView1->expandAll();
  TreeView1->setCurrentItem(nodes_[cpGeneral]);
  SelectPage(cpGeneral);
  // Filling a control may have reported a change; none counts.
  ResetPending();
  UpdateApplyButton();
}

void TfrmConfig::SelectPage(int index) {
  Notebook1->setCurrentWidget(pages_[size_t(index)]);
  if (TreeView1->currentItem() != nodes_[size_t(index)]) {
    TreeView1->setCurrentItem(nodes_[size_t(index)]);
  }
  ShowBookTitle();
  pages_[size_t(index)]->PageShown();
}

void TfrmConfig::ShowBookTitle() {
  if (const QTreeWidgetItem* node = TreeView1->currentItem()) {
    lblBookTitle->setText(node->text(0));
  }
}

void TfrmConfig::ApplyTexts(const TZLanguage& language) {
  Button1->setText(language.Text(kTextDialogApply));
  Button2->setText(language.Text(kTextDialogOk));
  Button3->setText(language.Text(kTextDialogCancel));
  Button4->setText(language.Text(kTextDialogDefault));
  for (int index = 0; index < kConfigPageCount; ++index) {
    nodes_[size_t(index)]->setText(0, language.Text(kTextPageGeneral + index));
    pages_[size_t(index)]->ApplyTexts(language);
  }
  ShowBookTitle();
}

void TfrmConfig::ApplySettings() {
  Button1->setEnabled(false);
  // Apply may show a message box; what it applies is taken now.
  const QString skin = pendingSkin_;
  const QString language = pendingLanguage_;
  const auto marked = marked_;
  const auto owners = owners_;
  ResetPending();
  for (int index = 0; index < kConfigGroupCount; ++index) {
    const auto group = TZConfigGroup(index);
    if (group == TZConfigGroup::Skin) {
      if (!skin.isEmpty()) {
        config_.SkinColorBlend = skinsPage_->Blend();
        ChangeSkin(skin);
      }
    } else if (group == TZConfigGroup::Language) {
      if (!language.isEmpty()) {
        ChangeLanguage(language);
      }
    } else if (marked[size_t(index)] && owners[size_t(index)]) {
      owners[size_t(index)]->ApplyGroup(group);
    }
  }
  UpdateApplyButton();
}

void TfrmConfig::ChangeSkin(const QString& name) {
  const QString previous = config_.Skin;
  const SkinBlend blend{config_.SkinColorBlend.Level, config_.SkinColorBlend.Color.rgb()};
  actions_.BeginSkinChange();
  try {
    if (name == QLatin1String(kBuiltInSkinName)) {
      ReturnToBuiltInSkin(skin_, blend);
    } else if (LoadSkin(skin_, name, false, blend) != slrLoaded) {
      ZLog(QStringLiteral("  GUI loadskin ") + Quoted(name) +
           QStringLiteral(" failed. Setting to Default."));
      ReportError(102, QStringLiteral("TZGUI"), QString(), false);
      ReturnToBuiltInSkin(skin_, blend);
    }
    actions_.ApplySkinSurfaces();
    ZLog(QStringLiteral("  Changing skin ") + Quoted(name) + QStringLiteral(" OK"));
  } catch (const std::exception&) {
    ZLog(QStringLiteral("  Changing skin ") + Quoted(name) + QStringLiteral(" failed"));
    ZLog(QStringLiteral("  Load last skin."));
    if (previous == QLatin1String(kBuiltInSkinName) ||
        LoadSkin(skin_, previous, false, blend) != slrLoaded) {
      ReturnToBuiltInSkin(skin_, blend);
    }
    actions_.ApplySkinSurfaces();
  }
  actions_.EndSkinChange();
  config_.Skin = name.left(kNameLength);
  skinsPage_->ShowSkinLabel();
  if (isVisible()) {
    activateWindow();
  }
}

void TfrmConfig::ChangeLanguage(const QString& name) {
  if (!::ChangeLanguage(name, config_.Language)) {
    return;
  }
  systemPage_->ShowPlayMode();
  actions_.RefreshPlaylist();
  languagesPage_->ShowLanguageLabel();
  actions_.LanguageChanged();
}

void TfrmConfig::ShowPlayMode() {
  systemPage_->ShowPlayMode();
}

void TfrmConfig::LoadDefaults() {
  SetConfigDefaults(config_);
  actions_.ApplyWindowLayout();
}
