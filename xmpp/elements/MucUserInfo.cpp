#include "xmpp/elements/MucUserInfo.h"

namespace xmpp {

int MucUserInfo::statusIndex(int code)
{
    static const int codes[] = {100, 101, 102, 103, 104, 110, 170, 171, 172, 173,
                                174, 201, 210, 301, 303, 307, 321, 322, 332};
    for (int i = 0; i < int(std::size(codes)); ++i) {
        if (codes[i] == code)
            return i + 1;
    }
    return 0;
}

} // namespace xmpp
