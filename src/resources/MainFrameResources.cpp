#include "resources/MainFrameResources.h"

namespace res {

using kiv::ui::AcceleratorTable;
using kiv::ui::Menu;
using kiv::ui::MenuItem;
using kiv::ui::StatusIndicator;
using kiv::ui::Toolbar;
namespace cmd = kiv::ui::cmd;
using namespace kiv::ui;

const Menu& mainFrameMenu() {
    static const Menu menu{
        IDR_MAINFRAME,
        {MenuItem::popup("ﾌｧｲﾙ(&F)", {MenuItem::command("新規作成(&N)\tCtrl+N", 32807),
                                       MenuItem::command("開く(&O)...\tCtrl+O", cmd::FileOpen),
                                       MenuItem::separator(),
                                       MenuItem::command("ﾌﾟﾘﾝﾀの設定(&R)...", cmd::FilePrintSetup),
                                       MenuItem::separator(),
                                       MenuItem::command("最新のﾌｧｲﾙ", cmd::FileMruFirst),
                                       MenuItem::separator(),
                                       MenuItem::command("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", cmd::AppExit)}),
         MenuItem::popup("編集(&E)", {MenuItem::command("元に戻す(&U)\tCtrl+Z", cmd::EditUndo),
                                      MenuItem::separator(),
                                      MenuItem::command("切り取り(&T)\tCtrl+X", cmd::EditCut),
                                      MenuItem::command("ｺﾋﾟｰ(&C)\tCtrl+C", cmd::EditCopy),
                                      MenuItem::command("貼り付け(&P)\tCtrl+V", cmd::EditPaste)}),
         MenuItem::popup("表示(&V)", {MenuItem::command("ﾂｰﾙ ﾊﾞｰ(&T)", cmd::ViewToolbar),
                                      MenuItem::command("ｽﾃｰﾀｽ ﾊﾞｰ(&S)", cmd::ViewStatusBar)}),
         MenuItem::popup("MENU", {MenuItem::command("マスターファイル呼び出し", 32796),
                                  MenuItem::command("ﾏｽﾀｰﾌｧｲﾙ切替", 32852),
                                  MenuItem::separator(),
                                  MenuItem::command("集計モードに切替", 32814),
                                  MenuItem::separator(),
                                  MenuItem::command("相手先登録、印刷", 32779),
                                  MenuItem::separator(),
                                  MenuItem::command("積算方式を変更", 32874)}),
         MenuItem::popup("表示(&V)", {MenuItem::command("ﾂｰﾙ ﾊﾞｰ(&T)", cmd::ViewToolbar),
                                      MenuItem::command("ｽﾃｰﾀｽ ﾊﾞｰ(&S)", cmd::ViewStatusBar)}),
         MenuItem::popup("ﾍﾙﾌﾟ(&H)", {MenuItem::command("ﾊﾞｰｼﾞｮﾝ情報(kiv)(&A)...", cmd::AppAbout)})}};
    return menu;
}

const AcceleratorTable& mainFrameAccelerators() {
    static const AcceleratorTable table{IDR_MAINFRAME,
                                        {{'N', ModCtrl, cmd::FileNew},
                                         {'O', ModCtrl, cmd::FileOpen},
                                         {'S', ModCtrl, cmd::FileSave},
                                         {'P', ModCtrl, cmd::FilePrint},
                                         {'Z', ModCtrl, cmd::EditUndo},
                                         {'X', ModCtrl, cmd::EditCut},
                                         {'C', ModCtrl, cmd::EditCopy},
                                         {'V', ModCtrl, cmd::EditPaste},
                                         {VK_BACK, ModAlt, cmd::EditUndo},
                                         {VK_DELETE, ModShift, cmd::EditCut},
                                         {VK_INSERT, ModCtrl, cmd::EditCopy},
                                         {VK_INSERT, ModShift, cmd::EditPaste},
                                         {VK_F6, ModNone, cmd::NextPane},
                                         {VK_F6, ModShift, cmd::PrevPane}}};
    return table;
}

const Toolbar& standardToolbar() {
    static const Toolbar tb{IDR_MAINFRAME,
                            {{cmd::FileNew, "新規作成"},
                             {cmd::FileOpen, "開く"},
                             {cmd::FileSave, "上書き保存"},
                             {},
                             {cmd::EditCut, "切り取り"},
                             {cmd::EditCopy, "ｺﾋﾟｰ"},
                             {cmd::EditPaste, "貼り付け"},
                             {},
                             {cmd::FilePrint, "印刷"},
                             {cmd::FilePrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ"},
                             {cmd::EditUndo, "元に戻す"},
                             {cmd::AppAbout, "ﾊﾞｰｼﾞｮﾝ情報"}}};
    return tb;
}

const Toolbar& editToolbar() {
    static const Toolbar tb{IDR_EDITBAR,
                            {{32793, "項目移動"},
                             {32794, "行複写"},
                             {32786, "行挿入"},
                             {32787, "行削除"},
                             {},
                             {32788, "項目挿入"},
                             {32789, "項目削除"},
                             {},
                             {32871, "新項目追加"},
                             {32800, "転送"},
                             {},
                             {32878, "旧電気積算内訳書を変換"},
                             {},
                             {32813, "詳細表示"},
                             {32847, "項目集計作成"},
                             {32774, "表紙作成"},
                             {32900, "歩掛け選択"},
                             {32866, "合計入力"},
                             {32865, "撤去歩掛等に変換"}}};
    return tb;
}

const std::vector<StatusIndicator>& statusIndicators() {
    static const std::vector<StatusIndicator> ind{
        {cmd::Separator, ""},
        {ID_INDICATOR_MODE, "　　　　　　　　　　　　　　　"},
        {ID_INDICATOR_FILE, "　　　　　　　　　　　　　　　　　　　　"},
        {ID_INDICATOR_STYLE, "　　　　　　　　　　　"},
        {ID_INDICATOR_ROUNDING, "　　　　　　　　　　　　　　　　"},
        {cmd::IndicatorKana, "ｶﾅ"},
        {cmd::IndicatorCaps, "CAP"},
        {cmd::IndicatorNum, "NUM"},
        {cmd::IndicatorScroll, "SCRL"}};
    return ind;
}

} // namespace res
