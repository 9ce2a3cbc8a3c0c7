#include "files/read_limits.h"

namespace ecam {

std::string ReadFailureText(ReadFailure kind)
{
    switch (kind) {
    case ReadFailure::NotRegular:
        return "所选路径不是普通文件,无法打开!";
    case ReadFailure::TooLarge:
        return "文件过大或内容过多,无法打开!";
    case ReadFailure::TooManyPoints:
        return "文件中的凸轮点超过" + std::to_string(kMaxFilePoints) + "个,无法导入!";
    case ReadFailure::TimedOut:
        return "读取文件超时,文件可能已损坏!";
    case ReadFailure::HtmlPage:
        return "文件是网页(HTML),不是表格文件,无法打开!";
    case ReadFailure::XmlDocument:
        return "文件是XML文档,不是表格文件,无法打开!";
    default:
        return {};
    }
}

} // namespace ecam
