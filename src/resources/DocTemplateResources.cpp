#include "resources/DocTemplateResources.h"

#include <map>

namespace res {

using kiv::ui::Menu;
using kiv::ui::MenuItem;
namespace cmd = kiv::ui::cmd;

const std::string& templateString(int id) {
    // The strings name the mechanical-mode extensions in both modes: the program's own open
    // commands know the electrical ones.
    static const std::string kiv = "\n内訳書\n内訳書\nMes Files (*.mes)\n.MES\nKiv.Document\nKiv Document";
    static const std::string mst = "\nマスター\nマスター\nMms Files (*.mms)\n.MMS\nMms.Document\nMms Document";
    static const std::string total = "\n集計\n集計\nMtl Files (*mtl)\n.MTL\n.Total.Document\nTotal Document";
    static const std::string none;
    switch (id) {
    case IDR_KIVTYPE: case IDR_KIVTREE: case IDR_KIVSPLIT: return kiv;
    case IDR_MSTTREE: case IDR_MSTTYPE: case IDR_MSTSPLIT: return mst;
    case IDR_TOTALTYPE: case IDR_TOTALTREE: case IDR_TOTALSPLIT: return total;
    default: return none;
    }
}

namespace {

// The three estimate menus differ only in the File popup and in the id of 歩掛け選択.
Menu buildEstimateMenu(int id) {
    const bool split = id == IDR_KIVSPLIT;
    std::vector<MenuItem> file = {
        MenuItem::command("新規作成(&N)\tCtrl+N", cmd::FileNew),
        MenuItem::command("開く(&O)...\tCtrl+O", cmd::FileOpen),
        MenuItem::command("閉じる(&C)", cmd::FileClose),
        MenuItem::command("上書き保存(&S)\tCtrl+S", cmd::FileSave),
        MenuItem::command("名前を付けて保存(&A)...", cmd::FileSaveAs),
        MenuItem::separator(),
        MenuItem::command("印刷(&P)...\tCtrl+P", cmd::FilePrint),
        MenuItem::command("印刷ﾌﾟﾚﾋﾞｭｰ(&V)", cmd::FilePrintPreview),
        MenuItem::command("ﾌﾟﾘﾝﾀの設定(&R)...", cmd::FilePrintSetup),
        MenuItem::separator(),
        MenuItem::command("CSVﾌｧｲﾙ読込", 32877),
        MenuItem::command("単価入替", 32880),
        MenuItem::separator(),
        MenuItem::command("テキストファイル出力", 32808)};
    if (split) {
        file.push_back(MenuItem::command("単価表テキストファイル出力", 32848));
        file.push_back(MenuItem::command("エクセルファイル出力", 32884));
        file.push_back(MenuItem::command("単価表エクセルファイル出力", 32889));
        file.push_back(MenuItem::command("送信(&D)...", cmd::FileSendMail));
        file.push_back(MenuItem::separator());
        file.push_back(MenuItem::command("旧電気積算内訳書を変換", 32878));
    } else {
        file.push_back(MenuItem::command("代価表テキストファイル出力", 32848));
        file.push_back(MenuItem::command("送信(&D)...", cmd::FileSendMail));
        file.push_back(MenuItem::command("旧電気積算内訳書を変換", 32878));
        file.push_back(MenuItem::separator());
    }
    file.push_back(MenuItem::command("最新のﾌｧｲﾙ", cmd::FileMruFirst));
    file.push_back(MenuItem::separator());
    file.push_back(MenuItem::command("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", cmd::AppExit));

    return Menu{
        id,
        {MenuItem::popup("ﾌｧｲﾙ(&F)", std::move(file)),
         MenuItem::popup("編集(&E)", {MenuItem::command("元に戻す(&U)\tCtrl+Z", cmd::EditUndo),
                                      MenuItem::separator(),
                                      MenuItem::command("切り取り(&T)\tCtrl+X", cmd::EditCut),
                                      MenuItem::command("ｺﾋﾟｰ(&C)\tCtrl+C", cmd::EditCopy),
                                      MenuItem::command("貼り付け(&P)\tCtrl+V", cmd::EditPaste),
                                      MenuItem::separator(),
                                      MenuItem::command("項目挿入", 32788),
                                      MenuItem::command("項目削除", 32789),
                                      MenuItem::command("行複写", 32794),
                                      MenuItem::command("行挿入", 32786),
                                      MenuItem::command("行削除", 32787),
                                      MenuItem::separator(),
                                      MenuItem::command("項目移動", 32793),
                                      MenuItem::command("詳細表示", 32813),
                                      MenuItem::command("項目集計作成", 32847),
                                      MenuItem::command("合計入力", 32866)}),
         MenuItem::popup("メニュー", {MenuItem::command("相手先登録､印刷", 32779),
                                      MenuItem::separator(),
                                      MenuItem::command("集計呼出", 32814),
                                      MenuItem::separator(),
                                      MenuItem::command("行を指定して単価変換", 32867),
                                      MenuItem::command("単価ｺﾋﾟｰ", 32811),
                                      MenuItem::command("数量変換", 32821),
                                      MenuItem::command("撤去歩掛等に変換", 32865),
                                      MenuItem::separator(),
                                      MenuItem::command("内訳書に単価表NO記入", 32855),
                                      MenuItem::separator(),
                                      MenuItem::command("歩掛け～備考2削除", 32881),
                                      MenuItem::command("その他労務費削除", 32841),
                                      MenuItem::command("備考２削除", 32850),
                                      MenuItem::command("ﾊﾂﾘ歩掛け削除", 32859),
                                      MenuItem::separator(),
                                      MenuItem::command("労務費計上様式に変更", 32857),
                                      MenuItem::command("複合単価様式に変更", 32858),
                                      MenuItem::command("歩掛け選択", id == IDR_KIVTYPE ? 32873 : 32900)}),
         MenuItem::command("新項目追加", 32871),
         MenuItem::command("項目名登録", 32872),
         MenuItem::popup("ﾏｽﾀｰﾌｧｲﾙ", {MenuItem::command("ﾏｽﾀｰﾌｧｲﾙ呼出", 32796),
                                    MenuItem::command("ﾏｽﾀｰﾌｧｲﾙ切替", 32852)}),
         MenuItem::popup("表紙", {MenuItem::command("表紙作成", 32774), MenuItem::command("表紙ﾌｫｰﾑ切替", 32854)}),
         MenuItem::popup("設定", {MenuItem::command("演算分類設定", 32802),
                                  MenuItem::separator(),
                                  MenuItem::command("桁の丸め", 32803),
                                  MenuItem::command("複合単価丸め設定", 32804),
                                  MenuItem::command("複合労務単価設定", 32801),
                                  MenuItem::separator(),
                                  MenuItem::command("複合単価か労務費計上して積算を選択", 32805),
                                  MenuItem::separator(),
                                  MenuItem::command("表紙ﾌｫｰﾑ設定", 32809),
                                  MenuItem::command("ﾍｯﾀｰ設定", 32810),
                                  MenuItem::separator(),
                                  MenuItem::command("表紙ﾌｫｰﾑ選択", 32817),
                                  MenuItem::command("ﾍｯﾀﾞｰ選択", 32818),
                                  MenuItem::command("設定ﾌｧｲﾙ選択", 32819),
                                  MenuItem::command("労務単価ﾌｧｲﾙ選択", 32820),
                                  MenuItem::command("相手先ﾌｧｲﾙ選択", 32842),
                                  MenuItem::command("宛先印刷設定ﾌｧｲﾙ選択", 32856),
                                  MenuItem::command("歩掛けﾌｧｲﾙ選択", 32843)}),
         MenuItem::popup("表示(&V)", {MenuItem::command("ﾂｰﾙ ﾊﾞｰ(&T)", cmd::ViewToolbar),
                                      MenuItem::command("ｽﾃｰﾀｽ ﾊﾞｰ(&S)", cmd::ViewStatusBar),
                                      MenuItem::command("印刷フォント指定", 32775),
                                      MenuItem::command("画面フォントサイズ指定", 32868)}),
         MenuItem::popup("ｳｨﾝﾄﾞｳ(&W)", {MenuItem::command("新しいｳｨﾝﾄﾞｳを開く(&N)", cmd::WindowNew),
                                      MenuItem::command("重ねて表示(&C)", cmd::WindowCascade),
                                      MenuItem::command("並べて表示(&T)", cmd::WindowTileHorz),
                                      MenuItem::command("ｱｲｺﾝの整列(&A)", cmd::WindowArrange)}),
         MenuItem::popup("ﾍﾙﾌﾟ(&H)", {MenuItem::command("ﾊﾞｰｼﾞｮﾝ情報(kiv) (&A)...", cmd::AppAbout)})}};
}

// The three master menus are one: the master's file, edit and category commands, placed as in
// the estimate's menu.
Menu buildMasterMenu(int id) {
    return Menu{
        id,
        {MenuItem::popup("ﾌｧｲﾙ(&F)", {MenuItem::command("新規作成(&N)\tCtrl+N", cmd::FileNew),
                                      MenuItem::command("開く(&O)...\tCtrl+O", cmd::FileOpen),
                                      MenuItem::command("閉じる(&C)", cmd::FileClose),
                                      MenuItem::command("上書き保存(&S)\tCtrl+S", cmd::FileSave),
                                      MenuItem::command("名前を付けて保存(&A)...", cmd::FileSaveAs),
                                      MenuItem::separator(),
                                      MenuItem::command("印刷(&P)...\tCtrl+P", cmd::FilePrint),
                                      MenuItem::command("印刷ﾌﾟﾚﾋﾞｭｰ(&V)", cmd::FilePrintPreview),
                                      MenuItem::command("ﾌﾟﾘﾝﾀの設定(&R)...", cmd::FilePrintSetup),
                                      MenuItem::separator(),
                                      MenuItem::command("CSVﾌｧｲﾙ読込", 32879),
                                      MenuItem::separator(),
                                      MenuItem::command("送信(&D)...", cmd::FileSendMail),
                                      MenuItem::command("旧電気ﾏｽﾀｰを変換", 32876),
                                      MenuItem::separator(),
                                      MenuItem::command("最新のﾌｧｲﾙ", cmd::FileMruFirst),
                                      MenuItem::separator(),
                                      MenuItem::command("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", cmd::AppExit)}),
         MenuItem::popup("編集(&E)", {MenuItem::command("元に戻す(&U)\tCtrl+Z", cmd::EditUndo),
                                      MenuItem::separator(),
                                      MenuItem::command("切り取り(&T)\tCtrl+X", cmd::EditCut),
                                      MenuItem::command("ｺﾋﾟｰ(&C)\tCtrl+C", cmd::EditCopy),
                                      MenuItem::command("貼り付け(&P)\tCtrl+V", cmd::EditPaste),
                                      MenuItem::separator(),
                                      // 分類挿入 and 分類削除 under the estimate's texts.
                                      MenuItem::command("項目挿入", 32788),
                                      MenuItem::command("項目削除", 32789),
                                      MenuItem::command("行複写", 32794),
                                      MenuItem::command("行挿入", 32786),
                                      MenuItem::command("行削除", 32787),
                                      MenuItem::separator(),
                                      MenuItem::command("分類移動", 32793),
                                      MenuItem::command("詳細表示", 32813),
                                      MenuItem::command("転送", 32800),
                                      MenuItem::command("部分転送", 32878)}),
         MenuItem::popup("メニュー", {MenuItem::command("単価ｺﾋﾟｰ", 32811),
                                      MenuItem::command("単価変換、削除", 32812),
                                      MenuItem::command("その他率を変換", 32860),
                                      MenuItem::command("行を指定して単価変換", 32867),
                                      MenuItem::separator(),
                                      MenuItem::command("備考２削除", 32850),
                                      MenuItem::command("備考２一括削除", 32875)}),
         MenuItem::command("新分類追加", 32870),
         MenuItem::command("分類名登録", 32873),
         MenuItem::command("ﾏｽﾀｰﾌｧｲﾙ切替", 32852),
         MenuItem::popup("表示(&V)", {MenuItem::command("ﾂｰﾙ ﾊﾞｰ(&T)", cmd::ViewToolbar),
                                      MenuItem::command("ｽﾃｰﾀｽ ﾊﾞｰ(&S)", cmd::ViewStatusBar),
                                      MenuItem::command("印刷フォント指定", 32775),
                                      MenuItem::command("画面フォントサイズ指定", 32868)}),
         MenuItem::popup("ｳｨﾝﾄﾞｳ(&W)", {MenuItem::command("新しいｳｨﾝﾄﾞｳを開く(&N)", cmd::WindowNew),
                                      MenuItem::command("重ねて表示(&C)", cmd::WindowCascade),
                                      MenuItem::command("並べて表示(&T)", cmd::WindowTileHorz),
                                      MenuItem::command("ｱｲｺﾝの整列(&A)", cmd::WindowArrange)}),
         MenuItem::popup("ﾍﾙﾌﾟ(&H)", {MenuItem::command("ﾊﾞｰｼﾞｮﾝ情報(kiv) (&A)...", cmd::AppAbout)})}};
}

// The three totals menus are one: the totals' file commands with the conversion and the exports,
// the estimate's edit commands up to 詳細表示, the totals' own メニュー and 分類名登録.
Menu buildTotalMenu(int id) {
    return Menu{
        id,
        {MenuItem::popup("ﾌｧｲﾙ(&F)", {MenuItem::command("新規作成(&N)\tCtrl+N", cmd::FileNew),
                                      MenuItem::command("開く(&O)...\tCtrl+O", cmd::FileOpen),
                                      MenuItem::command("閉じる(&C)", cmd::FileClose),
                                      MenuItem::command("上書き保存(&S)\tCtrl+S", cmd::FileSave),
                                      MenuItem::command("名前を付けて保存(&A)...", cmd::FileSaveAs),
                                      MenuItem::separator(),
                                      MenuItem::command("積算ﾌｧｲﾙを変換", 32815),
                                      MenuItem::separator(),
                                      MenuItem::command("印刷(&P)...\tCtrl+P", cmd::FilePrint),
                                      MenuItem::command("印刷ﾌﾟﾚﾋﾞｭｰ(&V)", cmd::FilePrintPreview),
                                      MenuItem::command("ﾌﾟﾘﾝﾀの設定(&R)...", cmd::FilePrintSetup),
                                      MenuItem::separator(),
                                      MenuItem::command("テキストファイル出力", 32808),
                                      MenuItem::command("EXCEL出力", 32884),
                                      MenuItem::command("エクセルファイル出力", 32887),
                                      MenuItem::command("送信(&D)...", cmd::FileSendMail),
                                      MenuItem::separator(),
                                      MenuItem::command("最新のﾌｧｲﾙ", cmd::FileMruFirst),
                                      MenuItem::separator(),
                                      MenuItem::command("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", cmd::AppExit)}),
         MenuItem::popup("編集(&E)", {MenuItem::command("元に戻す(&U)\tCtrl+Z", cmd::EditUndo),
                                      MenuItem::separator(),
                                      MenuItem::command("切り取り(&T)\tCtrl+X", cmd::EditCut),
                                      MenuItem::command("ｺﾋﾟｰ(&C)\tCtrl+C", cmd::EditCopy),
                                      MenuItem::command("貼り付け(&P)\tCtrl+V", cmd::EditPaste),
                                      MenuItem::separator(),
                                      MenuItem::command("項目挿入", 32788),
                                      MenuItem::command("項目削除", 32789),
                                      MenuItem::command("行複写", 32794),
                                      MenuItem::command("行挿入", 32786),
                                      MenuItem::command("行削除", 32787),
                                      MenuItem::separator(),
                                      MenuItem::command("項目移動", 32793),
                                      MenuItem::command("詳細表示", 32813)}),
         MenuItem::popup("メニュー", {MenuItem::command("集計呼出", 32814),
                                      MenuItem::separator(),
                                      MenuItem::command("単価ｺﾋﾟｰ", 32811),
                                      MenuItem::command("単価変換", 32812)}),
         MenuItem::command("分類名登録", 32873),
         MenuItem::popup("表示(&V)", {MenuItem::command("ﾂｰﾙ ﾊﾞｰ(&T)", cmd::ViewToolbar),
                                      MenuItem::command("ｽﾃｰﾀｽ ﾊﾞｰ(&S)", cmd::ViewStatusBar),
                                      MenuItem::command("印刷フォント指定", 32775),
                                      MenuItem::command("画面フォントサイズ指定", 32868)}),
         MenuItem::popup("ｳｨﾝﾄﾞｳ(&W)", {MenuItem::command("新しいｳｨﾝﾄﾞｳを開く(&N)", cmd::WindowNew),
                                      MenuItem::command("重ねて表示(&C)", cmd::WindowCascade),
                                      MenuItem::command("並べて表示(&T)", cmd::WindowTileHorz),
                                      MenuItem::command("ｱｲｺﾝの整列(&A)", cmd::WindowArrange)}),
         MenuItem::popup("ﾍﾙﾌﾟ(&H)", {MenuItem::command("ﾊﾞｰｼﾞｮﾝ情報(kiv) (&A)...", cmd::AppAbout)})}};
}

} // namespace

const Menu* totalMenu(int id) {
    static const std::map<int, Menu> menus = {{IDR_TOTALTYPE, buildTotalMenu(IDR_TOTALTYPE)},
                                              {IDR_TOTALTREE, buildTotalMenu(IDR_TOTALTREE)},
                                              {IDR_TOTALSPLIT, buildTotalMenu(IDR_TOTALSPLIT)}};
    auto it = menus.find(id);
    return it == menus.end() ? nullptr : &it->second;
}

const Menu* masterMenu(int id) {
    static const std::map<int, Menu> menus = {{IDR_MSTTREE, buildMasterMenu(IDR_MSTTREE)},
                                              {IDR_MSTTYPE, buildMasterMenu(IDR_MSTTYPE)},
                                              {IDR_MSTSPLIT, buildMasterMenu(IDR_MSTSPLIT)}};
    auto it = menus.find(id);
    return it == menus.end() ? nullptr : &it->second;
}

const Menu* estimateMenu(int id) {
    static const std::map<int, Menu> menus = {{IDR_KIVTYPE, buildEstimateMenu(IDR_KIVTYPE)},
                                              {IDR_KIVTREE, buildEstimateMenu(IDR_KIVTREE)},
                                              {IDR_KIVSPLIT, buildEstimateMenu(IDR_KIVSPLIT)}};
    auto it = menus.find(id);
    return it == menus.end() ? nullptr : &it->second;
}

} // namespace res
