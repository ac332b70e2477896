#include "studio_words.h"

#include <cstring>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace studio {

namespace {

struct word_pair {
    char const* english;
    char const* japanese;
};

word_pair const japanese[] = {
    {"&File", "ファイル(&F)"},
    {"&Open...", "開く(&O)..."},
    {"&Save", "保存(&S)"},
    {"Save &As...", "名前を付けて保存(&A)..."},
    {"&Quit", "終了(&Q)"},
    {"&Edit", "編集(&E)"},
    {"&Undo", "元に戻す(&U)"},
    {"&Redo", "やり直す(&R)"},
    {"Nothing to undo", "元に戻す操作はありません"},
    {"Nothing to redo", "やり直す操作はありません"},
    {"Vexel &Settings...", "Vexel の設定(&S)..."},
    {"&View", "表示(&V)"},
    {"&Top", "上面(&T)"},
    {"&Front", "正面(&F)"},
    {"&Side", "側面(&S)"},
    {"Zoom &In", "拡大(&I)"},
    {"Zoom &Out", "縮小(&O)"},
    {"&Fit", "全体を表示(&F)"},
    {"Show &Vexel Window", "Vexel ウィンドウを表示(&V)"},
    {"Window &Scale", "ウィンドウの倍率(&S)"},
    {"&Language", "言語(&L)"},
    {"Untitled", "無題"},
    {"OK", "OK"},
    {"Save", "保存"},
    {"Don't Save", "保存しない"},
    {"Cancel", "キャンセル"},
    {"Save the changes to %1?", "%1 の変更を保存しますか?"},
    {"The scene was changed since it was opened or saved. Changes that are not saved are lost.",
     "シーンは開いたとき、または保存したときから変更されています。保存しない変更は失われます。"},
    {"Could not open %1", "%1 を開けませんでした"},
    {"Could not save %1", "%1 を保存できませんでした"},
    {"Open Scene", "シーンを開く"},
    {"Save Scene", "シーンを保存"},
    {"Scene files (*.json);;All files (*)", "シーンファイル (*.json);;すべてのファイル (*)"},
    {"Saved %1", "%1 を保存しました"},
    {"Switch the language to %1?", "言語を %1 に切り替えますか?"},
    {"The plug-in is loaded again in the new language: its memory slots are emptied and the "
     "window's modes (\"Loc.\"/\"Glo.\", the handle modes \"Abs.\"/\"Rel.\"/\"I b.\"/\"O b.\") start "
     "over. The scene, the active shape and the selected point stay.",
     "プラグインを新しい言語で読み込み直します。メモリースロットは空になり、ウィンドウのモード"
     "(\"Loc.\"/\"Glo.\"、ハンドルのモード \"Abs.\"/\"Rel.\"/\"I b.\"/\"O b.\")は初めの状態に戻ります。"
     "シーン、アクティブな形状、選択した点はそのままです。"},
    {"Line", "ライン"},
    {"Surface part", "サーフェスパーツ"},
    {"Polygon mesh", "ポリゴンメッシュ"},
    {"Rotator joint", "回転ジョイント"},
    {"Slider joint", "スライダージョイント"},
    {"Scale joint", "スケールジョイント"},
    {"Uniscale joint", "均等スケールジョイント"},
    {"Ball joint", "ボールジョイント"},
    {"Camera joint", "カメラジョイント"},
    {"Link part", "リンクパーツ"},
    {"Light", "ライト"},
    {"Sphere", "球"},
    {"Disk", "円盤"},
    {"Simple part", "シンプルパーツ"},
    {"Light joint", "ライトジョイント"},
    {"Path joint", "パスジョイント"},
    {"Morph joint", "モーフジョイント"},
    {"Custom joint", "カスタムジョイント"},
    {"Master surface", "マスターサーフェス"},
    {"Surface M part", "サーフェス M パーツ"},
    {"Sound part", "サウンドパーツ"},
    {"Other", "その他"},
    {"Save and Switch", "保存して切り替え"},
    {"Switch", "切り替え"},
    {"Shape", "形状"},
    {"Type", "種類"},
    {"Top (X, Y)", "上面 (X, Y)"},
    {"Front (X, Z)", "正面 (X, Z)"},
    {"Side (Y, Z)", "側面 (Y, Z)"},
    {"No scene is open. File > Open... (%1) opens one.", "シーンが開かれていません。ファイル > 開く... (%1) で開きます。"},
    {"\"%1\" is not a number: the box keeps %2", "\"%1\" は数値ではありません。ボックスは %2 のままです"},
    {"\"%1\" is beyond single precision: the box keeps %2",
     "\"%1\" は単精度の範囲を超えています。ボックスは %2 のままです"},
    {"%1 and %2 cannot be undone while the plug-in's undo setting is off: Edit > Vexel "
     "Settings..., \"%3\" switches it on.",
     "プラグインの取り消しの設定がオフのため、%1 と %2 は元に戻せません。編集 > Vexel の設定... の"
     "「%3」でオンにできます。"},
    {"Activate undo.", "取り消しを有効にする"},
};

}  // namespace

void use_qt_words(std::string const& lang) {
    static QTranslator* current = nullptr;
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current;
        current = nullptr;
    }
    if (lang == "en") return;
    auto* words = new QTranslator;
    if (words->load(QLocale(QString::fromStdString(lang)), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(words);
        current = words;
    } else {
        delete words;
    }
}

QString studio_word(std::string const& lang, char const* english) {
    if (lang == "ja")
        for (word_pair const& w : japanese)
            if (std::strcmp(w.english, english) == 0) return QString::fromUtf8(w.japanese);
    return QString::fromUtf8(english);
}

}  // namespace studio
