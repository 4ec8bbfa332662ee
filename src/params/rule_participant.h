#pragma once
// The rule pass: applyPanelRules over every panel the rules touch. The parameter
// controller asks for it whenever a mode control is committed; the parameter subsystem
// runs it over its pages and the panels registered with it.
namespace quorvane {

struct PanelView;

class RulePass {
public:
  virtual ~RulePass() = default;
  // Every panel into one view, the rules, and the outcome back.
  virtual void runRules() = 0;
  // Only the TRIGGER choices that EXTERN TEACH allows.
  virtual void runExteach() = 0;
};

// A panel outside the parameter pages that takes part in the rule pass: it puts its
// controls into the view before the rules run and shows their outcome afterwards.
class RuleParticipant {
public:
  virtual ~RuleParticipant() = default;
  virtual void readView(PanelView &view) const = 0;
  virtual void applyView(const PanelView &view) = 0;
};

} // namespace quorvane
