#include "frame/ResultFileDialogs.h"

#include <QDir>
#include <QFile>

#include "frame/Module1.h"
#include "frame/Trash.h"

QString ResultFileDialogs::deleteQuestion(const QString& fileName) {
    QString shownName = fileName;
    if (shownName.endsWith(QStringLiteral(".TXT"))) shownName = shownName.chopped(4) + QStringLiteral(".txt");
    return QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ ") + shownName + QStringLiteral("ファイルも削除しますか？");
}

bool ResultFileDialogs::write(const survey::Record& record) const {
    const survey::FileOutcome outcome = file_->append(record);
    if (outcome.ok()) return true;
    QString prompt;
    if (outcome.kind == survey::FileOutcome::Kind::Unencodable) {
        prompt = QStringLiteral("ファイルに記録できない文字「%1」が含まれているため、計算結果を保存しませんでした。")
                     .arg(QString::fromStdString(outcome.offending));
    } else {
        prompt = QStringLiteral("計算結果をファイルに保存できませんでした。\n%1")
                     .arg(QString::fromStdString(outcome.reason));
    }
    prompt += QStringLiteral("\n\nファイル: %1\n計算結果は画面に表示されています。").arg(shownPath());
    Module1::ShowFailure(prompt, QStringLiteral("ファイルの保存"));
    return false;
}

void ResultFileDialogs::offerDelete() const {
    if (!file_ || !Module1::AskDelete(deleteQuestion(QString::fromStdString(file_->fileName())))) return;
    // Into the trash, from where a Yes given by habit can still be taken
    // back; deleted outright only where the system has no trash for it.
    const std::filesystem::path path = file_->path();
    const QString trashed = QString::fromStdU16String(path.u16string());
    if (!path.empty() && QFile::exists(trashed) && Trash::take(trashed)) return;
    const survey::FileOutcome outcome = file_->remove();
    if (outcome.ok()) return;
    Module1::ShowFailure(QStringLiteral("ファイルを削除できませんでした。\n%1\n\nファイル: %2")
                             .arg(QString::fromStdString(outcome.reason), shownPath()),
                         QStringLiteral("ファイルの削除"));
}

QString ResultFileDialogs::shownPath() const {
    // Without a Desktop folder there is no path: the name says which file.
    const std::filesystem::path path = file_->path();
    return path.empty() ? QString::fromStdString(file_->fileName())
                        : QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}
