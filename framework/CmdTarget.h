#pragma once

// Command targets and their message maps. A target binds command ids to a
// handler and, optionally, to an update handler that enables, checks or
// renames the item that offers the command. Routing between targets is the
// frame's job (CFrameWnd::OnCmdMsg).

#include "AfxRes.h"

#include <QString>

#include <functional>
#include <vector>

// The root of the classes the document template creates from their run-time
// class.
class CObject {
  public:
    virtual ~CObject() = default;
};

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();

    CObject* CreateObject() const { return m_pfnCreateObject(); }
};

template <class T> CObject* AfxCreateObject() {
    return new T;
}

#define RUNTIME_CLASS(class_name) (CRuntimeClass{#class_name, &AfxCreateObject<class_name>})

// What an update handler sets on the menu item, button, key or status pane
// that offers a command.
class CCmdUI {
  public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(bool on = true) = 0;
    virtual void SetCheck(int check = 1) = 0;
    virtual void SetText(const QString& text) = 0;
    // Only the recent-file list's entries come and go.
    virtual void Show(bool on) = 0;

    const UINT m_nID;
};

// The message kinds a target answers.
constexpr int CN_COMMAND = 0;           // run the command's handler
constexpr int CN_UPDATE_COMMAND_UI = 1; // run its update handler
constexpr int CN_QUERY_HANDLER = 2;     // only tell whether a handler exists

class CCmdTarget : public CObject {
  public:
    // True when this target's map holds the id for that kind of message;
    // then the handler has run (except for CN_QUERY_HANDLER).
    virtual bool OnCmdMsg(UINT id, int code, CCmdUI* cmdUI);

  protected:
    // The message map. An entry made later (by a derived class's
    // constructor) takes precedence over one made earlier for the same id.
    template <class T> void MapCommand(UINT id, void (T::*handler)()) {
        T* target = static_cast<T*>(this);
        m_commands.push_back({id, [target, handler] { (target->*handler)(); }});
    }
    template <class T> void MapUpdateCommandUI(UINT id, void (T::*handler)(CCmdUI*)) {
        T* target = static_cast<T*>(this);
        m_updates.push_back({id, [target, handler](CCmdUI* ui) { (target->*handler)(ui); }});
    }
    void MapCommand(UINT id, std::function<void()> handler) {
        m_commands.push_back({id, std::move(handler)});
    }
    void MapUpdateCommandUI(UINT id, std::function<void(CCmdUI*)> handler) {
        m_updates.push_back({id, std::move(handler)});
    }

  private:
    struct CommandEntry {
        UINT id;
        std::function<void()> handler;
    };
    struct UpdateEntry {
        UINT id;
        std::function<void(CCmdUI*)> handler;
    };
    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
};
