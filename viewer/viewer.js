// Shows one glTF file: framed, orbited with the mouse, its node tree listed
// by name, each node shown or hidden by its box and framed by a click on its
// name; a node with coarser levels of detail (MSFT_lod) chooses which shows.
// Wireframe on demand, and a line of statistics (draw calls, triangles,
// textures the export left out). The file comes from ?file=URL or from a drop
// on the page. When the first frame with the model is drawn, body gets
// data-state="ready" (or "failed"), which the browser test waits for.
import * as THREE from 'three';
import { OrbitControls } from 'three/addons/controls/OrbitControls.js';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';

const view = document.getElementById('view');
const statusLine = document.getElementById('status');
const tree = document.getElementById('tree');
const backFaces = document.getElementById('backFaces');
const wireframe = document.getElementById('wireframe');
const statsLine = document.getElementById('stats');

const renderer = new THREE.WebGLRenderer({ antialias: true, preserveDrawingBuffer: true });
renderer.setPixelRatio(window.devicePixelRatio);
view.appendChild(renderer.domElement);

const scene = new THREE.Scene();
scene.background = new THREE.Color(0x20242c);
scene.add(new THREE.HemisphereLight(0xffffff, 0x404040, 2.0));
const sun = new THREE.DirectionalLight(0xffffff, 2.0);
scene.add(sun);

const camera = new THREE.PerspectiveCamera(45, 1, 0.01, 1000);
const controls = new OrbitControls(camera, renderer.domElement);
let model = null;
let missingTextures = 0;

function resize() {
  const { clientWidth: width, clientHeight: height } = view;
  renderer.setSize(width, height);
  camera.aspect = width / Math.max(height, 1);
  camera.updateProjectionMatrix();
}
window.addEventListener('resize', resize);
resize();

// Puts the whole model in view, looking down on it from a corner. Files are
// Y-up, as glTF is.
function frame(object) {
  const box = new THREE.Box3().setFromObject(object);
  const center = box.isEmpty() ? new THREE.Vector3() : box.getCenter(new THREE.Vector3());
  const radius = box.isEmpty() ? 1 : Math.max(box.getSize(new THREE.Vector3()).length() / 2, 1e-3);
  const distance = radius / Math.sin(THREE.MathUtils.degToRad(camera.fov / 2));
  const direction = new THREE.Vector3(1, 1, 1.5);
  camera.position.copy(center).addScaledVector(direction.normalize(), distance);
  camera.near = distance / 1000;
  camera.far = distance * 10;
  camera.updateProjectionMatrix();
  controls.target.copy(center);
  controls.update();
  sun.position.copy(camera.position);
}

// The three.js object of each glTF node, by the node's index.
function objectsByNode(gltf) {
  const objects = [];
  gltf.scene.traverse((object) => {
    const index = gltf.parser.associations.get(object)?.nodes;
    if (index !== undefined && !objects[index]) objects[index] = object;
  });
  return objects;
}

// A choice among the levels of detail of a node that MSFT_lod gives coarser
// versions of (nodes outside the scene, which three.js does not load by
// itself): the chosen level is drawn in the node's place, the others hidden.
function levelChooser(gltf, index, object) {
  const json = gltf.parser.json;
  const coarser = json.nodes[index].extensions.MSFT_lod.ids ?? [];
  const levels = [{ object, name: json.nodes[index].name }];
  const chooser = document.createElement('select');
  chooser.className = 'levels';
  chooser.add(new Option(`level 0: ${json.nodes[index].name || 'finest'}`, '0'));
  coarser.forEach((id, at) => chooser.add(new Option(`level ${at + 1}: ${json.nodes[id]?.name || 'coarser'}`,
    String(at + 1))));
  chooser.addEventListener('change', async () => {
    const chosen = Number(chooser.value);
    if (!levels[chosen]) {
      // A coarser level carries its own place under the finest one's parent.
      const level = await gltf.parser.getDependency('node', coarser[chosen - 1]);
      object.parent.add(level);
      levels[chosen] = { object: level };
      applyFaceCulling();
      applyWireframe();
    }
    levels.forEach((level, at) => { if (level) level.object.visible = at === chosen; });
  });
  return chooser;
}

// The glTF node tree as nested lists, with the file's own names (three.js
// rewrites names to suit its animation paths).
function listNodes(gltf) {
  const json = gltf.parser.json;
  const objects = objectsByNode(gltf);
  tree.replaceChildren();
  const nodes = json.nodes ?? [];
  const roots = json.scenes?.[json.scene ?? 0]?.nodes ?? [];
  const pending = roots.map((index) => ({ index, list: tree }));
  while (pending.length) {
    const { index, list } = pending.shift();
    const node = nodes[index] ?? {};
    const object = objects[index];
    const item = document.createElement('li');
    const shown = document.createElement('input');
    shown.type = 'checkbox';
    shown.className = 'shown';
    shown.checked = true;
    shown.title = 'show or hide';
    shown.addEventListener('change', () => { if (object) object.visible = shown.checked; });
    const label = document.createElement('span');
    label.className = 'name' + (node.mesh !== undefined ? ' mesh' : '');
    label.textContent = node.name || (node.mesh !== undefined ? json.meshes[node.mesh].name : '') || `node ${index}`;
    label.title = 'frame this node';
    label.addEventListener('click', () => { if (object) frame(object); });
    item.append(shown, label);
    if (node.extensions?.MSFT_lod && object) item.appendChild(levelChooser(gltf, index, object));
    list.appendChild(item);
    if (node.children?.length) {
      const sublist = document.createElement('ul');
      item.appendChild(sublist);
      for (const child of node.children) pending.push({ index: child, list: sublist });
    }
  }
}

function applyWireframe() {
  model?.traverse((object) => {
    for (const material of [object.material ?? []].flat()) material.wireframe = wireframe.checked;
  });
}
wireframe.addEventListener('change', applyWireframe);

// What the last frame drew.
function showStatistics() {
  const { calls, triangles } = renderer.info.render;
  statsLine.textContent = `draw calls ${calls}, triangles ${triangles}, textures missing ${missingTextures}`;
  statsLine.dataset.calls = calls;
  statsLine.dataset.triangles = triangles;
  statsLine.dataset.missingTextures = missingTextures;
}

// By default faces are drawn as the file says (a skybox's inward faces, seen
// from outside, let the model show); ticking draws both sides of every face.
function applyFaceCulling() {
  model?.traverse((object) => {
    for (const material of [object.material ?? []].flat()) {
      material.userData.fileSide ??= material.side;
      material.side = backFaces.checked ? THREE.DoubleSide : material.userData.fileSide;
    }
  });
}
backFaces.addEventListener('change', applyFaceCulling);

function show(gltf, source) {
  if (model) scene.remove(model);
  model = gltf.scene;
  scene.add(model);
  applyFaceCulling();
  applyWireframe();
  const json = gltf.parser.json;
  missingTextures = json.asset?.extras?.missingTextures?.length ?? 0;
  // The export names its scene after the database.
  const name = json.scenes?.[json.scene ?? 0]?.name || source.split('/').pop();
  if (name) document.title = name;
  frame(model);
  listNodes(gltf);
  statusLine.textContent = name || source;
  renderer.render(scene, camera);
  showStatistics();
  requestAnimationFrame(() => { document.body.dataset.state = 'ready'; });
}

// Where an object's bounding box lies on the canvas, in pixels from the top
// left: what framing it should fill (the browser test compares the drawing).
function screenBox(object) {
  const box = new THREE.Box3().setFromObject(object);
  const area = { left: Infinity, top: Infinity, right: -Infinity, bottom: -Infinity };
  const { width, height } = renderer.domElement;
  for (let corner = 0; corner < 8; corner++) {
    const point = new THREE.Vector3(corner & 1 ? box.max.x : box.min.x, corner & 2 ? box.max.y : box.min.y,
      corner & 4 ? box.max.z : box.min.z).project(camera);
    const x = (point.x + 1) / 2 * width;
    const y = (1 - point.y) / 2 * height;
    area.left = Math.min(area.left, x);
    area.right = Math.max(area.right, x);
    area.top = Math.min(area.top, y);
    area.bottom = Math.max(area.bottom, y);
  }
  return area;
}
window.screenBoxOf = (name) => {
  if (name === undefined) return model && screenBox(model);
  let found = null;
  model?.traverse((object) => { if (!found && object.name === name) found = object; });
  return found && screenBox(found);
};

function fail(source, error) {
  statusLine.textContent = `${source}: ${error.message ?? error}`;
  document.body.dataset.state = 'failed';
}

const loader = new GLTFLoader();

function openUrl(url) {
  loader.load(url, (gltf) => show(gltf, url), undefined, (error) => fail(url, error));
}

function openFile(file) {
  file.arrayBuffer().then(
    (data) => loader.parse(data, '', (gltf) => show(gltf, file.name), (error) => fail(file.name, error)),
    (error) => fail(file.name, error));
}

document.addEventListener('dragover', (event) => {
  event.preventDefault();
  document.body.classList.add('dragging');
});
document.addEventListener('dragleave', () => document.body.classList.remove('dragging'));
document.addEventListener('drop', (event) => {
  event.preventDefault();
  document.body.classList.remove('dragging');
  const file = event.dataTransfer.files[0];
  if (file) openFile(file);
});

renderer.setAnimationLoop(() => {
  controls.update();
  renderer.render(scene, camera);
  if (model) showStatistics();
});

const requested = new URLSearchParams(location.search).get('file');
if (requested) openUrl(requested);
