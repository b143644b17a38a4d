#pragma once

#include "model/BoneHierarchy.h"
#include "model/BoneInstance.h"
#include "model/ModelDocument.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zelvane {

// Solves a PMD model's IK chains by cyclic coordinate descent: each link in turn, from the
// effector towards the root, turns so that the effector swings towards the goal. A knee only
// hinges about its X axis and only bends forwards.
//
// Chains that neither move nor read a bone the other moves (a left and a right leg) are
// solved side by side, one link update of each in turn, so that the processor works on both
// at once: a link update is a long row of dependent steps, which alone leaves most of it
// idle. Each chain's own updates keep their order and their arithmetic, so the pose is the
// one that solving the chains one after the other in the model's order gives.
class CPmdIKSolver {
public:
    // The model's indices must have been checked (CModelInstance does). A chain makes at
    // most `budgetPerChain` link updates and all chains together at most `budget`.
    CPmdIKSolver(const CModelDocument& model, std::vector<CBoneInstance>& bones,
                 BoneHierarchy hierarchy, std::size_t budgetPerChain, std::size_t budget);

    // Solves every chain from the bones' current matrices and updates the bones below each
    // effector. A chain stops after a pass in which no link turned when `earlyStop` is set
    // (each later pass would repeat it exactly). Without `sideBySide` the chains are solved
    // one after the other in the model's order (the same pose, more slowly). Returns the
    // link updates made.
    std::size_t Solve(bool earlyStop, bool sideBySide);

    // How many rounds of chains solved side by side a frame takes; as many as there are
    // chains when none can be.
    std::size_t rounds() const { return m_roundStarts.size() - 1; }

private:
    struct Chain {
        const CModelIK* ik;
        std::vector<CBoneInstance*> links;
        CBoneInstance* effector;
        const CBoneInstance* goal;
        // The passes the chain makes at most: its iterations within its share of the work.
        std::size_t passes;
    };
    // A chain while it is solved.
    struct Progress {
        const Chain* chain;
        Vector3 goal;
        std::size_t passes;
        std::size_t pass;
        std::size_t link;
        std::size_t updates;
        bool turned;
        // The effector sat on the last link turned: the pass ends there.
        bool passEnded;
    };

    // Puts the chains into rounds: each chain in the first round after every earlier chain
    // that moves a bone it reads or reads a bone it moves. Without room for every chain's
    // full work in the budget (the budget then decides how far a later chain gets), every
    // chain is a round of its own.
    void PlanRounds(std::size_t budget);
    // Solves the chains of one round, given by their indices, within `budget` link updates.
    std::size_t SolveRound(std::span<const std::size_t> chains, std::size_t budget, bool earlyStop);
    // Turns the current link of each of the chains.
    template<std::size_t N> static void TurnLinks(Progress* const (&chains)[N]);
    // Moves on to the next link after a link update; returns whether the chain goes on.
    static bool Advance(Progress& progress, bool earlyStop);
    void UpdateBelow(const CBoneInstance& bone);

    std::vector<CBoneInstance>& m_bones;
    BoneHierarchy m_hierarchy;
    std::size_t m_budget;
    // The chains in the model's order, and their indices in the order they are solved side
    // by side: round r holds those from m_roundStarts[r] up to m_roundStarts[r + 1].
    std::vector<Chain> m_chains;
    std::vector<std::size_t> m_roundOrder;
    std::vector<std::size_t> m_roundStarts;
    std::vector<Progress> m_progress;
    std::vector<Progress*> m_active;
};

} // namespace zelvane
