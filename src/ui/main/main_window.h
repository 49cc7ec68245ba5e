#pragma once

// The configurator's start window. GUI thread only: it owns its controls, mirrors the program's plain
// state (selection, totals, settings) into them, and hands catalogue loads to catalogue_loader.

#include "catalogue/catalogue_session.h"
#include "model/categories.h"
#include "model/deployment.h"
#include "model/selection_state.h"
#include "ui/common/gbk_label.h"

#include <QByteArray>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStatusBar;
class QTabWidget;
class QWebEngineView;

namespace velnor {

class ChoiceListView;
class GuiPoster;
class LoadingFlags;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // `flags` are the start-up loaders' marks; a fresh set is made when none is given.
    MainWindow(const Deployment& deployment, SelectionState& selection, SharedTexts& shared, QWidget* parent = nullptr,
               std::shared_ptr<LoadingFlags> flags = {});
    ~MainWindow() override;

    // Sums the twelve price labels into 合计 and writes it in capital-money words into 金额大写.
    void recomputeTotal();
    // The model choice procedure of one category, on the current row of its model list.
    void chooseModel(ComponentCategory category);
    // Read from the hidden settings page, as every load does before it starts.
    ConnectionSettings connectionSettings() const;

private:
    struct CategoryControls {
        ChoiceListView* brands = nullptr; // cpu: 超级列表框1, which nothing fills
        ChoiceListView* models = nullptr;
        QLabel* picture = nullptr;
        QLabel* model = nullptr;
        QLabel* price = nullptr;
        QLabel* warranty = nullptr;
    };

    void buildForm();
    void buildSummary();
    void buildPlatformPage(QWidget* page);
    void buildCategoryPage(QWidget* page, ComponentCategory category);
    void buildSystemInfoPage(QWidget* page);
    void buildButtons();
    void startUp();

    void chooseBrand(ComponentCategory category);
    void choosePlatform();
    void chooseBoardBrand();
    void showPicture(QLabel* label, const QByteArray& bytes);
    CategoryControls& controls(ComponentCategory category) { return m_categories[size_t(categoryIndex(category))]; }

    Deployment m_deployment;
    SelectionState& m_selection;
    SharedTexts& m_shared;
    std::shared_ptr<LoadingFlags> m_flags;
    std::shared_ptr<GuiPoster> m_poster;

    std::array<CategoryControls, kCategoryCount> m_categories;
    QTabWidget* m_tabs = nullptr;
    ChoiceListView* m_platforms = nullptr;
    QPlainTextEdit* m_platformNote = nullptr;
    QLabel* m_platformPrompt = nullptr;
    QLabel* m_loadingNotice = nullptr;
    QLabel* m_boardHint = nullptr;
    QLabel* m_cpuHint = nullptr;
    QLineEdit* m_total = nullptr;
    QLabel* m_capitals = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_statusText = nullptr;
    QWebEngineView* m_browser = nullptr;
    QLineEdit* m_statusTextBox = nullptr;
    QLineEdit* m_hostBox = nullptr;
    QLineEdit* m_accountBox = nullptr;
    QLineEdit* m_passwordBox = nullptr;
    QLineEdit* m_portBox = nullptr;
    QLineEdit* m_titleBox = nullptr;
};


} // namespace velnor
