// Runs the controller scenarios of scenarios.json in the reference capsule controller and prints,
// as one JSON document on standard output, the foot position, collision flags and touched
// actors of every frame. The C++ comparison test runs the same file through our controller.
//
// Usage: node run_scenarios.mjs [scenarios.json] [scenario name...]
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const packageDir = path.join(here, 'node_modules', 'physx-js-webidl');

// The package's loader refuses to run when it sees Node's `process`; as a browser build it
// also wants a `window`, and it cannot fetch its wasm file, so we hand it the bytes.
async function loadPhysics() {
    const wasmBinary = fs.readFileSync(path.join(packageDir, 'physx-js-webidl.wasm'));
    const factory = (await import(path.join(packageDir, 'physx-js-webidl.mjs'))).default;
    const savedProcess = globalThis.process;
    globalThis.window = globalThis.window ?? {};
    delete globalThis.process;
    try {
        return await factory({ wasmBinary, print: () => {}, printErr: () => {} });
    } finally {
        globalThis.process = savedProcess;
    }
}

const f32 = Math.fround;

function quaternionOf(rotations) {
    // Composed in the order written: [A, B] applies B first, then A.
    let q = [0, 0, 0, 1];
    for (const { axis, angle } of rotations ?? []) {
        const length = Math.hypot(...axis);
        const s = Math.sin(angle / 2);
        const r = [(axis[0] / length) * s, (axis[1] / length) * s, (axis[2] / length) * s,
            Math.cos(angle / 2)];
        q = [
            q[3] * r[0] + q[0] * r[3] + q[1] * r[2] - q[2] * r[1],
            q[3] * r[1] - q[0] * r[2] + q[1] * r[3] + q[2] * r[0],
            q[3] * r[2] + q[0] * r[1] - q[1] * r[0] + q[2] * r[3],
            q[3] * r[3] - q[0] * r[0] - q[1] * r[1] - q[2] * r[2],
        ];
    }
    return q;
}

class ReferenceWorld {
    constructor(PhysX, definition, colliders) {
        this.PhysX = PhysX;
        const version = PhysX.PHYSICS_VERSION;
        this.foundation = PhysX.CreateFoundation(version, new PhysX.PxDefaultAllocator(),
            new PhysX.PxDefaultErrorCallback());
        const tolerances = new PhysX.PxTolerancesScale();
        this.physics = PhysX.CreatePhysics(version, this.foundation, tolerances);
        const sceneDesc = new PhysX.PxSceneDesc(tolerances);
        sceneDesc.gravity = new PhysX.PxVec3(0, -9.81, 0);
        sceneDesc.cpuDispatcher = PhysX.DefaultCpuDispatcherCreate(0);
        sceneDesc.filterShader = PhysX.DefaultFilterShader();
        this.scene = this.physics.createScene(sceneDesc);
        this.material = this.physics.createMaterial(0.5, 0.5, 0.6);
        // This build's filter skips shapes whose simulation filter data is all zero.
        this.filterData = new PhysX.PxFilterData(1, 0xffffffff, 0, 0);
        this.names = new Map();
        this.tags = new Map();
        for (const collider of colliders) {
            this.addCollider(collider);
        }
        this.addController(definition);
    }

    vec(v) {
        return new this.PhysX.PxVec3(v[0], v[1], v[2]);
    }

    pose(position, rotations) {
        const q = quaternionOf(rotations);
        return new this.PhysX.PxTransform(this.vec(position ?? [0, 0, 0]),
            new this.PhysX.PxQuat(q[0], q[1], q[2], q[3]));
    }

    addCollider(collider) {
        const { PhysX } = this;
        let actor;
        if (collider.plane) {
            const [nx, ny, nz, d] = collider.plane;
            actor = PhysX.PxExtensionTopLevelFunctions.prototype.CreatePlane(this.physics,
                new PhysX.PxPlane(nx, ny, nz, d), this.material, this.filterData);
        } else {
            actor = this.physics.createRigidStatic(this.pose(collider.position, collider.rotation));
            for (const box of collider.boxes) {
                const shape = this.physics.createShape(
                    new PhysX.PxBoxGeometry(box.halfExtents[0], box.halfExtents[1], box.halfExtents[2]),
                    this.material, true);
                shape.setLocalPose(this.pose(box.position, box.rotation));
                shape.setSimulationFilterData(this.filterData);
                actor.attachShape(shape);
            }
        }
        this.scene.addActor(actor);
        const key = PhysX.getPointer(actor);
        this.names.set(key, collider.name);
        this.tags.set(key, collider.tag ?? null);
    }

    addController(definition) {
        const { PhysX } = this;
        this.manager = PhysX.CreateControllerManager(this.scene, false);
        const desc = new PhysX.PxCapsuleControllerDesc();
        const c = definition.controller;
        desc.position = new PhysX.PxExtendedVec3(0, 20, 0);
        desc.upDirection = new PhysX.PxVec3(0, 1, 0);
        desc.slopeLimit = Math.cos(f32(Math.PI / 4));
        desc.contactOffset = c.contactOffset;
        desc.stepOffset = c.stepOffset;
        desc.radius = c.radius;
        desc.height = c.height;
        desc.climbingMode = PhysX.PxCapsuleClimbingModeEnum.eEASY;
        desc.nonWalkableMode = PhysX.PxControllerNonWalkableModeEnum.ePREVENT_CLIMBING;
        desc.material = this.material;
        this.hits = [];
        const report = new PhysX.PxUserControllerHitReportImpl();
        report.onShapeHit = (pointer) => {
            const hit = PhysX.wrapPointer(pointer, PhysX.PxControllerShapeHit);
            const key = PhysX.getPointer(hit.actor);
            this.hits.push({ name: this.names.get(key) ?? '?', tag: this.tags.get(key) ?? null });
        };
        report.onControllerHit = () => {};
        report.onObstacleHit = () => {};
        desc.reportCallback = report;
        this.controller = this.manager.createController(desc);
        this.filters = new PhysX.PxControllerFilters();
        this.flagNames = [
            ['sides', PhysX.PxControllerCollisionFlagEnum.eCOLLISION_SIDES],
            ['up', PhysX.PxControllerCollisionFlagEnum.eCOLLISION_UP],
            ['down', PhysX.PxControllerCollisionFlagEnum.eCOLLISION_DOWN],
        ];
    }

    setPosition(centre) {
        this.controller.setPosition(new this.PhysX.PxExtendedVec3(centre[0], centre[1], centre[2]));
    }

    move(displacement, minDistance, dt) {
        this.hits = [];
        const flags = this.controller.move(this.vec(displacement), minDistance, dt, this.filters);
        const foot = this.controller.getFootPosition();
        return {
            foot: [foot.x, foot.y, foot.z],
            flags: this.flagNames.filter(([, bit]) => flags.isSet(bit)).map(([name]) => name),
            hits: this.hits,
        };
    }
}

// The player's own movement: vertical speed used before this frame's gravity; any tagged
// contact zeroes it, as the game's contact report does.
function runScenario(PhysX, definition, scenario) {
    const colliders = scenario.colliders.flatMap((setName) => {
        const set = definition.colliderSets[setName];
        if (!set) {
            throw new Error(`unknown collider set ${setName}`);
        }
        return set;
    });
    const world = new ReferenceWorld(PhysX, definition, colliders);
    world.setPosition(scenario.start);
    const dt = f32(definition.frameTime);
    const gravity = f32(definition.gravity);
    const speed = [f32(0), f32(0), f32(0)];
    const frames = [];
    for (let frame = 0; frame < scenario.frames; frame++) {
        for (const event of scenario.events ?? []) {
            if (event.frame !== frame) continue;
            if ('speedX' in event) speed[0] = f32(event.speedX);
            if ('speedY' in event) speed[1] = f32(event.speedY);
            if ('speedZ' in event) speed[2] = f32(event.speedZ);
        }
        const displacement = [f32(speed[0] * dt), f32(speed[1] * dt), f32(speed[2] * dt)];
        speed[1] = f32(speed[1] - f32(gravity * dt));
        const result = world.move(displacement, definition.minDistance, dt);
        if (result.hits.some((hit) => hit.tag !== null)) {
            speed[1] = f32(0);
        }
        frames.push({ displacement, foot: result.foot, flags: result.flags, hits: result.hits.map((h) => h.name) });
    }
    return { name: scenario.name, frames };
}

const file = process.argv[2] ?? path.join(here, 'scenarios.json');
const only = process.argv.slice(3);
const definition = JSON.parse(fs.readFileSync(file, 'utf8'));
const PhysX = await loadPhysics();
const results = definition.scenarios
    .filter((scenario) => only.length === 0 || only.includes(scenario.name))
    .map((scenario) => runScenario(PhysX, definition, scenario));
process.stdout.write(JSON.stringify({ scenarios: results }) + '\n');
