// Writes trees of the web server's shape as the first corpus of its fuzz target, so the
// fuzzer starts with nodes, texts and children. Usage: lhm_seeds <folder>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string trees[] = {
        R"({"id":0,"Text":"Sensor","Min":"Min","Value":"Value","Max":"Max","Children":[{"id":1,"Text":"PC",)"
        R"("Min":"","Value":"","Max":"","ImageURL":"images_icon/computer.png","Children":[{"id":2,"Text":"CPU",)"
        R"("Min":"","Value":"","Max":"","Children":[{"id":3,"Text":"Temperatures","Min":"","Value":"","Max":"",)"
        R"("Children":[{"id":4,"Text":"CPU Package","Min":"30.0 °C","Value":"45.5 °C","Max":"71.0 °C",)"
        R"("Type":"Temperature","SensorId":"/cpu/0/temperature/0","Children":[]}]},{"id":5,"Text":"Fans",)"
        R"("Min":"","Value":"","Max":"","Children":[{"id":6,"Text":"CPU Fan","Min":"900 RPM",)"
        R"("Value":"1200 RPM","Max":"1500 RPM","Children":[]}]}]}]}]})",
        R"({"Text":"GPU","Value":"","Children":[{"Text":"Hot Spot","Value":"122,0 °F","Children":[]},)"
        R"({"Text":"Vcore","Value":"1.208 V","Children":[]},{"Text":7,"Value":45.5,"Children":{}}]})",
        R"([{"Text":"a","Value":"-1 %"},null,true,"x",[]])"};
    int n = 0;
    for (const std::string& tree : trees) {
        const std::string path = std::string(argv[1]) + "/seed" + std::to_string(++n);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return 1;
        std::fwrite(tree.data(), 1, tree.size(), f);
        std::fclose(f);
    }
    return 0;
}
