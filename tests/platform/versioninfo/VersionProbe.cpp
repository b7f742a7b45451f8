// Prints the version fields of its own executable, one "Key=Value" line each.
#include "platform/versioninfo/VersionInfo.h"

#include <iostream>

int main()
{
    const varrow::VersionInfo info = varrow::readOwnVersionInfo();
    std::cout << "ProductName=" << info.productName << '\n'
              << "CompanyName=" << info.companyName << '\n'
              << "Comments=" << info.comments << '\n'
              << "Version=" << info.major << '.' << info.minor << '\n';
    return 0;
}
