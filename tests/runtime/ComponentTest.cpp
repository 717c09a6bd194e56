#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/runtime/Component.h"
#include "framework/runtime/Exceptions.h"

namespace {
// Records its destruction, its load calls and its owner notifications.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string label, std::vector<std::string>& log)
        : TComponent(owner), label_(std::move(label)), log_(log) {}
    ~Probe() override {
        log_.push_back(label_ + (ComponentState().Contains(csDestroying) ? " destroying" : ""));
    }
    int loadedCalls = 0;
    bool readingDuringLoaded = true;
    std::vector<std::pair<TComponent*, TOperation>> notifications;

protected:
    void Loaded() override {
        ++loadedCalls;
        readingDuringLoaded = ComponentState().Contains(csReading);
        TComponent::Loaded();
    }
    void Notification(TComponent* component, TOperation operation) override {
        notifications.emplace_back(component, operation);
    }

private:
    std::string label_;
    std::vector<std::string>& log_;
};
} // namespace

TEST(Component, OwnerFreesOwnedComponentsInCreationOrder) {
    std::vector<std::string> log;
    auto* owner = new Probe(nullptr, "owner", log);
    new Probe(owner, "first", log);
    auto* second = new Probe(owner, "second", log);
    new Probe(second, "grandchild", log);
    new Probe(owner, "third", log);
    EXPECT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->Components(1), second);
    delete owner;
    // The owner's own destructor body runs first; its owned components then go
    // in creation order, each marked as destroying before any of them is freed.
    const std::vector<std::string> expected = {"owner", "first destroying", "second destroying",
                                               "grandchild destroying", "third destroying"};
    EXPECT_EQ(log, expected);
}

TEST(Component, DeletingAnOwnedComponentTakesItOffItsOwnersList) {
    std::vector<std::string> log;
    Probe owner(nullptr, "owner", log);
    auto* a = new Probe(&owner, "a", log);
    auto* b = new Probe(&owner, "b", log);
    const auto removed = reinterpret_cast<uintptr_t>(a);
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
    ASSERT_EQ(owner.notifications.size(), 3u);
    // Compared as addresses only: the component is gone.
    EXPECT_EQ(reinterpret_cast<uintptr_t>(owner.notifications[2].first), removed);
    EXPECT_EQ(owner.notifications[2].second, opRemove);
}

TEST(Component, BadComponentIndexRaisesListError) {
    TComponent owner(nullptr);
    new TComponent(&owner);
    EXPECT_THROW(owner.Components(1), EListError);
    EXPECT_THROW(owner.Components(-1), EListError);
}

TEST(Component, NamesMustBeIdentifiersAndUniqueAmongSiblings) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("KRVAAppendix1");
    EXPECT_EQ(owner.FindComponent("krvaappendix1"), a);
    EXPECT_THROW(b->SetName("KRVAAPPENDIX1"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    EXPECT_THROW(b->SetName("1Button"), EComponentError);
    EXPECT_THROW(b->SetName("Button 1"), EComponentError);
    EXPECT_THROW(b->SetName("Kn\xF6pfchen"), EComponentError);
    b->SetName("_Button1");
    EXPECT_EQ(b->Name(), "_Button1");
    a->SetName("krvaAppendix1"); // a change of case of its own name is no clash
    EXPECT_EQ(a->Name(), "krvaAppendix1");
    a->SetName("");
    EXPECT_EQ(owner.FindComponent("krvaAppendix1"), nullptr);
}

TEST(Component, InsertComponentMovesOwnershipAndRefusesNameClash) {
    TComponent first(nullptr);
    TComponent second(nullptr);
    auto* moved = new TComponent(&first);
    moved->SetName("Memo1");
    second.InsertComponent(moved);
    EXPECT_EQ(moved->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);

    auto* clash = new TComponent(&first);
    clash->SetName("Memo1");
    EXPECT_THROW(second.InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), &first);
    EXPECT_EQ(first.ComponentCount(), 1);

    second.RemoveComponent(moved);
    EXPECT_EQ(moved->Owner(), nullptr);
    delete moved; // no longer owned by anyone
}

TEST(Component, LoadingMarksStateAndCallsLoadedOnEveryComponent) {
    std::vector<std::string> log;
    Probe owner(nullptr, "owner", log);
    auto* child = new Probe(&owner, "child", log);
    owner.SetTag(7);
    EXPECT_EQ(owner.Tag(), 7);

    owner.BeginLoading();
    EXPECT_TRUE(owner.ComponentState().Contains(csLoading));
    EXPECT_TRUE(child->ComponentState().Contains(csReading));
    owner.EndLoading();
    EXPECT_EQ(owner.loadedCalls, 1);
    EXPECT_EQ(child->loadedCalls, 1);
    EXPECT_FALSE(child->readingDuringLoaded);
    EXPECT_TRUE(owner.ComponentState().Empty());
    EXPECT_TRUE(child->ComponentState().Empty());
}

TEST(Persistent, AssignFromAnUnsupportedSourceRaisesConvertError) {
    TComponent target(nullptr);
    TComponent source(nullptr);
    try {
        target.Assign(&source);
        FAIL() << "no error raised";
    } catch (const EConvertError& error) {
        EXPECT_NE(error.Message().find("TComponent"), std::string::npos);
    }
    EXPECT_THROW(target.Assign(nullptr), EConvertError);
}
