#pragma once
// The command ids of the program, each named after its menu entry. The menu, toolbar and prompt
// tables of resources/ spell the numbers, as the menus they mirror do; all other code names the
// id from here. Where two menus give one number different entries (項目 in the estimate and the
// totals, 分類 in the master), each entry has its name. The window layer's own commands keep
// their numbers in platform/ui/Keys.h; the ones the views handle themselves are named here too.
#include "platform/ui/Keys.h"

// --- ﾌｧｲﾙ
inline constexpr int ID_SHINKI = 32807;             // 新規作成 of the main window
inline constexpr int ID_MASTER_OPEN = 32796;        // ﾏｽﾀｰﾌｧｲﾙ呼出
inline constexpr int ID_SYUUKEI_MODE = 32814;       // 集計モードに切替 / 集計呼出
inline constexpr int ID_MASTER_CHANGE = 32852;      // ﾏｽﾀｰﾌｧｲﾙ切替
inline constexpr int ID_SEKISAN_CHANGE = 32874;     // 積算方式を変更
inline constexpr int ID_CSV_READ = 32877;           // CSVﾌｧｲﾙ読込 (estimate)
inline constexpr int ID_MST_CSV_READ = 32879;       // CSVﾌｧｲﾙ読込 (master)
inline constexpr int ID_TANKA_IREKAE = 32880;       // 単価入替
inline constexpr int ID_TEXT_OUT = 32808;           // テキストファイル出力
inline constexpr int ID_DAIKA_TEXT_OUT = 32848;     // 代価表テキストファイル出力 / 単価表テキストファイル出力
inline constexpr int ID_EXCEL_OUT = 32884;          // エクセルファイル出力 / EXCEL出力
inline constexpr int ID_DAIKA_EXCEL = 32889;        // 単価表エクセルファイル出力
inline constexpr int ID_OLD_DENKI_HENKAN = 32878;   // 旧電気積算内訳書を変換 (estimate)
inline constexpr int ID_BUBUN_TENSOU = 32878;       // 部分転送 (master)
inline constexpr int ID_OLD_DENKI_MASTER = 32876;   // 旧電気ﾏｽﾀｰを変換
inline constexpr int ID_SYUUKEI_HENKAN = 32815;     // 積算ﾌｧｲﾙを変換

// --- 編集
inline constexpr int ID_EDIT_UNDO = kiv::ui::cmd::EditUndo;    // 元に戻す
inline constexpr int ID_EDIT_CUT = kiv::ui::cmd::EditCut;      // 切り取り
inline constexpr int ID_EDIT_COPY = kiv::ui::cmd::EditCopy;    // ｺﾋﾟｰ
inline constexpr int ID_EDIT_PASTE = kiv::ui::cmd::EditPaste;  // 貼り付け
inline constexpr int ID_KOUMOKU_IDOU = 32793;       // F1 項目移動
inline constexpr int ID_BUN_IDOU = 32793;           // F1 分類移動 (master)
inline constexpr int ID_GYOU_COPY = 32794;          // F2 行複写
inline constexpr int ID_GYOU_INSERT = 32786;        // F3 行挿入
inline constexpr int ID_GYOU_DELETE = 32787;        // F4 行削除
inline constexpr int ID_KOUMOKU_INSERT = 32788;     // F5 項目挿入
inline constexpr int ID_BUN_INSERT = 32788;         // F5 分類挿入 (master)
inline constexpr int ID_KOUMOKU_DELETE = 32789;     // F6 項目削除
inline constexpr int ID_BUN_DELETE = 32789;         // F6 分類削除 (master)
inline constexpr int ID_SYOUSAI = 32813;            // 詳細表示
inline constexpr int ID_SYUUKEI_HYOUJI = 32797;     // 集計表示 (master; in no menu)
inline constexpr int ID_NEW_KOUMOKU = 32871;        // 新項目追加
inline constexpr int ID_NEW_BUN = 32870;            // 新分類追加 (master)
inline constexpr int ID_KOUMOKU_TOROKU = 32872;     // 項目名登録
inline constexpr int ID_BUN_TOROKU = 32873;         // 分類名登録 (master, totals)
inline constexpr int ID_KOUMOKU_SYUUKEI = 32847;    // 項目集計作成
inline constexpr int ID_GOUKEI_INPUT = 32866;       // 合計入力
inline constexpr int ID_TENSOU = 32800;             // 転送 (master)

// --- 単価
inline constexpr int ID_TANKA_COPY = 32811;         // 単価ｺﾋﾟｰ
inline constexpr int ID_TANKA_HENKAN = 32812;       // 単価変換、削除
inline constexpr int ID_GYOU_TANKA_HENKAN = 32867;  // 行を指定して単価変換
inline constexpr int ID_TANKA_NO = 32855;           // 内訳書に単価表NO記入
inline constexpr int ID_SONOTA_HENKAN = 32860;      // その他率を変換
inline constexpr int ID_BUKAKE_FILE = 32843;        // 歩掛けﾌｧｲﾙ選択
inline constexpr int ID_BUKAKE_SELECT = 32900;      // 歩掛け選択

// --- Bulk changes of rows
inline constexpr int ID_SONOTA_ROUMU_DELETE = 32841;   // その他労務費削除
inline constexpr int ID_BIKOU2_DELETE = 32850;         // 備考２削除
inline constexpr int ID_BIKOU2_DELETE_ALL = 32875;     // 備考２一括削除 (master)
inline constexpr int ID_HATURI_DELETE = 32859;         // ﾊﾂﾘ歩掛け削除
inline constexpr int ID_BUKAKE_BIKOU2_DELETE = 32881;  // 歩掛け～備考2削除
inline constexpr int ID_SUU_HENKAN = 32821;            // 数量変換
inline constexpr int ID_TEKKYO_BUKAKE = 32865;         // 撤去歩掛等に変換

// --- 設定
inline constexpr int ID_ROUMU = 32801;              // 複合労務単価設定
inline constexpr int ID_ENZAN = 32802;              // 演算分類設定
inline constexpr int ID_MARUME = 32803;             // 桁の丸め
inline constexpr int ID_FUKU_KIRISUTE = 32804;      // 複合単価丸め設定
inline constexpr int ID_FUKUGOU = 32805;            // 複合単価か労務費計上して積算を選択
inline constexpr int ID_ROUMU_YOUSHIKI = 32857;     // 労務費計上様式に変更
inline constexpr int ID_FUKUGOU_YOUSHIKI = 32858;   // 複合単価様式に変更
inline constexpr int ID_SETTEI_FILE = 32819;        // 設定ﾌｧｲﾙ選択
inline constexpr int ID_ROUMU_FILE = 32820;         // 労務単価ﾌｧｲﾙ選択
inline constexpr int ID_FONT_SIZE = 32868;          // 画面フォントサイズ指定
inline constexpr int ID_INSATU_FONT = 32775;        // 印刷フォント指定

// --- 表紙 and the address book: the print-form dialogs (RecalcSeams::formDialogs)
inline constexpr int ID_HYOUSI = 32774;             // 表紙作成
inline constexpr int ID_HYOUSI_FORM = 32809;        // 表紙ﾌｫｰﾑ設定
inline constexpr int ID_HEDDER = 32810;             // ﾍｯﾀｰ設定
inline constexpr int ID_HYOUSI_FILE = 32817;        // 表紙ﾌｫｰﾑ選択
inline constexpr int ID_HEADDER_FILE = 32818;       // ﾍｯﾀﾞｰ選択
inline constexpr int ID_HYOUSI_CHANGE = 32854;      // 表紙ﾌｫｰﾑ切替
inline constexpr int ID_ADRESS = 32779;             // 相手先登録、印刷 (also the Home key)
inline constexpr int ID_ADRESS_FILE = 32842;        // 相手先ﾌｧｲﾙ選択
inline constexpr int ID_ADRESS_PRINT_FILE = 32856;  // 宛先印刷設定ﾌｧｲﾙ選択
