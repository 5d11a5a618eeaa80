#include "model/applet_agent.h"

#include "model/item_list.h"

namespace zarvex {

TLinkedFileInfoArray DefaultLinkedFiles() {
    return {{"velmo.js", "js", 0}, {"velmocfg_MyHoriMenu1.js", "js", 0}, {"NavTest.css", "css", 1}};
}

TkavoAppletAgent::TkavoAppletAgent(IProgress* progress)
    : LinkedFiles(DefaultLinkedFiles()), progress_(progress ? progress : &nullProgress_) {}

void TkavoAppletAgent::ResetToDefaults() {
    MenuParameters = DefaultAppletData();
    WebPage = {};
    Items.clear();
}

void TkavoAppletAgent::InsertItem(int index, const TItemData& record) {
    items::Insert(Items, index, record);
}
void TkavoAppletAgent::DeleteItem(int index) {
    items::Delete(Items, index);
}
void TkavoAppletAgent::MoveItemUp(int index) {
    items::MoveUp(Items, index);
}
void TkavoAppletAgent::DeleteItemBlock(int first, int count) {
    items::DeleteBlock(Items, first, count);
}
void TkavoAppletAgent::MoveItemBlockUp(int first, int upperSize, int lowerSize) {
    items::MoveBlockUp(Items, first, upperSize, lowerSize);
}

}  // namespace zarvex
