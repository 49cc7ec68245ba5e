#include "model/categories.h"

namespace velnor {

namespace {

using C = ComponentCategory;

// clang-format off
const std::array<CategoryInfo, kCategoryCount> kTable{{
    {C::Zb,  "zb",  0,  1, "主板",   "主 板", "主板品牌列表框",   "主板列表框",   "标签1",  "主板型号",   "主板价格",   "主板保修",   "标签b1",  " 主 板", "主板数量",   "主板价格1",   "主板：",   "主  板："},
    {C::Cpu, "cpu", 1,  2, "CPU",    "C P U", "",                 "cpu列表框",    "标签2",  "cpu型号",    "cpu价格",    "cpu保修",    "标签b2",  " C P U", "cpu数量",    "cpu价格1",    "CPU：",    "C P U ："},
    {C::Yp,  "yp",  2,  4, "硬盘",   "硬 盘", "硬盘品牌列表框",   "硬盘列表框",   "标签4",  "硬盘型号",   "硬盘价格",   "硬盘保修",   "标签b3",  " 硬 盘", "硬盘数量",   "硬盘价格1",   "硬盘：",   "硬  盘："},
    {C::Nc,  "nc",  3,  5, "内存",   "内 存", "内存品牌列表框",   "内存列表框",   "标签5",  "内存型号",   "内存价格",   "内存保修",   "标签b4",  " 内 存", "内存数量",   "内存价格1",   "内存：",   "内  存："},
    {C::Xk,  "xk",  4,  3, "显卡",   "显 卡", "显卡品牌列表框",   "显卡列表框",   "标签3",  "显卡型号",   "显卡价格",   "显卡保修",   "标签b5",  " 显 卡", "显卡数量",   "显卡价格1",   "显卡：",   "显  卡："},
    {C::Gq,  "gq",  5,  6, "光驱",   "光 驱", "光驱品牌列表框",   "光驱列表框",   "标签6",  "光驱型号",   "光驱价格",   "光驱保修",   "标签b6",  " 光 驱", "光驱数量",   "光驱价格1",   "光驱：",   "光  驱："},
    {C::Jx,  "jx",  6,  7, "机箱",   "机 箱", "机箱品牌列表框",   "机箱列表框",   "标签7",  "机箱型号",   "机箱价格",   "机箱保修",   "标签b7",  " 机 箱", "机箱数量",   "机箱价格1",   "机箱：",   "机  箱："},
    {C::Dy,  "dy",  7,  8, "电源",   "电 源", "电源品牌列表框",   "电源列表框",   "标签9",  "电源型号",   "电源价格",   "电源保修",   "标签b8",  " 电 源", "电源数量",   "电源价格1",   "电源：",   "电  源："},
    {C::Xsq, "xsq", 8,  9, "显示器", "显示器", "显示器品牌列表框", "显示器列表框", "标签10", "显示器型号", "显示器价格", "显示器保修", "标签b9",  " 显示器", "显示器数量", "显示器价格1", "显示器：", "显示器："},
    {C::Js,  "js",  9, 10, "键鼠",   "键 鼠", "键鼠品牌列表框",   "键鼠列表框",   "标签11", "键鼠型号",   "键鼠价格",   "键鼠保修",   "标签b10", " 键 鼠", "键鼠数量",   "键鼠价格1",   "键鼠：",   "键  鼠："},
    {C::Srq, "srq", 10, 12, "散热器", "散热器", "散热器品牌列表框", "散热器列表框", "标签13", "散热器型号", "散热器价格", "散热器保修", "标签b11", " 散热器", "散热器数量", "散热器价格1", "散热器：", "散热器："},
    {C::Yx,  "yx",  11, 11, "音箱",   "音 箱", "音箱品牌列表框",   "音箱列表框",   "标签12", "音箱型号",   "音箱价格",   "音箱保修",   "标签b12", " 音 箱", "音箱数量",   "音箱价格1",   "音箱：",   "音  箱："},
}};
// clang-format on

const std::array<C, kCategoryCount> kCanonical{C::Zb, C::Cpu, C::Yp, C::Nc, C::Xk,  C::Gq,
                                               C::Jx, C::Dy,  C::Xsq, C::Js, C::Srq, C::Yx};
const std::array<C, kCategoryCount> kTab{C::Zb, C::Cpu, C::Xk,  C::Yp, C::Nc, C::Gq,
                                         C::Jx, C::Dy,  C::Xsq, C::Js, C::Yx, C::Srq};
const std::array<C, kCategoryCount> kFile{C::Zb, C::Cpu, C::Yp,  C::Nc, C::Xk, C::Gq,
                                          C::Jx, C::Dy,  C::Xsq, C::Js, C::Yx, C::Srq};
const std::array<C, 10> kStartupBrands{C::Xk, C::Yp, C::Nc, C::Gq, C::Jx, C::Dy, C::Xsq, C::Js, C::Yx, C::Srq};

} // namespace

const CategoryInfo& categoryInfo(ComponentCategory category) { return kTable[static_cast<size_t>(category)]; }

std::optional<ComponentCategory> categoryFromCode(QByteArrayView code) {
    for (const CategoryInfo& row : kTable) {
        if (code == QByteArrayView(row.code)) {
            return row.category;
        }
    }
    return std::nullopt;
}

const std::array<ComponentCategory, kCategoryCount>& canonicalOrder() { return kCanonical; }
const std::array<ComponentCategory, kCategoryCount>& tabOrder() { return kTab; }
const std::array<ComponentCategory, kCategoryCount>& fileOrder() { return kFile; }
const std::array<ComponentCategory, 10>& startupBrandOrder() { return kStartupBrands; }

} // namespace velnor
