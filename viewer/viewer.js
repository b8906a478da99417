// Shows one glTF file: framed, orbited with the mouse, its node tree listed
// by name. The file comes from ?file=URL or from a drop on the page. When the
// first frame with the model is drawn, body gets data-state="ready" (or
// "failed"), which the browser test waits for.
import * as THREE from 'three';
import { OrbitControls } from 'three/addons/controls/OrbitControls.js';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';

const view = document.getElementById('view');
const statusLine = document.getElementById('status');
const tree = document.getElementById('tree');
const backFaces = document.getElementById('backFaces');

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

// The glTF node tree as nested lists, with the file's own names (three.js
// rewrites names to suit its animation paths).
function listNodes(json) {
  tree.replaceChildren();
  const nodes = json.nodes ?? [];
  const roots = json.scenes?.[json.scene ?? 0]?.nodes ?? [];
  const pending = roots.map((index) => ({ index, list: tree }));
  while (pending.length) {
    const { index, list } = pending.shift();
    const node = nodes[index] ?? {};
    const item = document.createElement('li');
    const label = document.createElement('span');
    label.className = 'name' + (node.mesh !== undefined ? ' mesh' : '');
    label.textContent = node.name || (node.mesh !== undefined ? json.meshes[node.mesh].name : '') || `node ${index}`;
    item.appendChild(label);
    list.appendChild(item);
    if (node.children?.length) {
      const sublist = document.createElement('ul');
      item.appendChild(sublist);
      for (const child of node.children) pending.push({ index: child, list: sublist });
    }
  }
}

// Single-sided faces seen from behind would hide flat models from the first
// view; by default both sides are drawn, and unticking honours the file.
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
  frame(model);
  listNodes(gltf.parser.json);
  statusLine.textContent = source;
  renderer.render(scene, camera);
  requestAnimationFrame(() => { document.body.dataset.state = 'ready'; });
}

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
});

const requested = new URLSearchParams(location.search).get('file');
if (requested) openUrl(requested);
