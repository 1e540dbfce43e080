#include "help_text.h"

#include <QStringList>

namespace sorvani::shell {

QString BuildHelpText() {
    const QStringList lines{
        QStringLiteral("◇软件简介："),
        QStringLiteral("    Sorvani为简体中文文本标注汉语拼音，每个汉字的拼音写在它的正上方；"),
        QStringLiteral("    标注时可以选择是否带声调。"),
        QStringLiteral("◇拼音词典："),
        QStringLiteral("    拼音取自程序目录中的词典文件VeRevor.dll，程序启动时读入。"),
        QStringLiteral("◇操作说明："),
        QStringLiteral("    "
                       "1、导入文件的格式支持文本文件与写字板文件，或者将需要标注拼音的内容输入文件"
                       "内容框中；"),
        QStringLiteral("    2、导入文件或者输入文件内容后点击标注拼音按钮；"),
        QStringLiteral("    "
                       "3、看到注音成功的提示后，可以点击导出文件按钮将文件内容框中的文字导出到用户"
                       "指定的文件中。"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace sorvani::shell
