// The program's own texts for the message pane and message boxes (UTF-8).
#pragma once

namespace zevo::messages {

// "The data file ... cannot be opened." The path stands between the two parts.
inline const char kDataFileBefore[] = "データファイル ";
inline const char kCannotOpen[] = "がオープンできません。";
// "The history record file ... cannot be opened."
inline const char kHistoryFileBefore[] = "変更履歴記録ファイル ";
// "Logfile cannot be opened."
inline const char kLogFileCannotOpen[] = "Logfileがオープンできません。";
// "... could not be read to its end." / "... cannot be written to."
inline const char kCannotReadToEnd[] = "を最後まで読めませんでした。";
inline const char kCannotWrite[] = "に書き込めません。";
// "/Q": "Processing will be stopped", with the box's caption.
inline const char kAbortQuestion[] = "処理を中止します";
inline const char kAbortCaption[] = "Mendora";
inline const char kLineEnd[] = "\r\n";

// Reports on one line of the data file: "<file> <n>行目: <problem>".
inline const char kLineLabel[] = "行目: ";
inline const char kLineTooLong[] = "127999バイトを超える行は処理しません。";
inline const char kLineHasNul[] = "NULバイトを含む行は処理しません。";
inline const char kNoCurrentKey[] = "キーが開かれていないため処理しません。";
inline const char kKeyNotOpened[] = "このキーを開けないため、続く値を処理しません。";
inline const char kUnknownValueForm[] = "値の形式が不明なため書き込みません。";
inline const char kValueNotWritten[] = "値を書き込めませんでした。";
inline const char kMissingArgument[] = "引数がないか、引用符が閉じていません。";
inline const char kNoKeyName[] = "削除するキーの名前がありません。";
inline const char kEmptyPath[] = "パスが空のため処理しません。";
inline const char kPathTooLong[] = "パスが長すぎるため処理しません。";
inline const char kDestinationIsFile[] = "コピー先がファイルのため処理しません。";
// Failures the message pane does not show; the console program reports them.
inline const char kValueNotDeleted[] = "値を削除できませんでした。";
inline const char kKeyNotDeleted[] = "キーを削除できませんでした。";
inline const char kFileOperationFailed[] = "ファイル操作に失敗しました。";
inline const char kAlreadyRead[] = "このデータファイルはこの実行で既に読んでいます。";

}  // namespace zevo::messages
