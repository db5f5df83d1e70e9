# Makes the catalogue's models and their previews with Blender, in background mode:
#   blender -b -noaudio --factory-startup -P make_assets.py -- OUTPUT_DIR
# Writes OUTPUT_DIR/Models/NAME.fbx (Blender's own FBX exporter) and OUTPUT_DIR/Renders/NAME.png
# (Cycles on the CPU, square); the wrapper beside this file turns the renders into WebP.
import math
import os
import random
import sys

import bmesh
import bpy
from mathutils import Vector, noise

PREVIEW_SIZE = 256


def reset():
	bpy.ops.wm.read_factory_settings(use_empty=True)


def material(name, color, metallic=0.0, roughness=0.5, transmission=0.0):
	found = bpy.data.materials.get(name)
	if found:
		return found
	made = bpy.data.materials.new(name)
	made.use_nodes = True
	shader = made.node_tree.nodes["Principled BSDF"]
	shader.inputs["Base Color"].default_value = (*color, 1.0)
	shader.inputs["Metallic"].default_value = metallic
	shader.inputs["Roughness"].default_value = roughness
	shader.inputs["Transmission"].default_value = transmission
	# What the FBX file carries as the material's diffuse colour.
	made.diffuse_color = (*color, 1.0)
	made.metallic = metallic
	made.roughness = roughness
	return made


def finish(obj, name, mat):
	obj.name = name
	obj.data.name = name
	if mat is not None:
		obj.data.materials.append(mat)
	return obj


def box(name, size, location, mat):
	bpy.ops.mesh.primitive_cube_add(size=1.0, location=location)
	obj = bpy.context.active_object
	obj.scale = size
	bpy.ops.object.transform_apply(location=False, rotation=False, scale=True)
	return finish(obj, name, mat)


def cylinder(name, radius, start, end, mat, vertices=16):
	start, end = Vector(start), Vector(end)
	axis = end - start
	bpy.ops.mesh.primitive_cylinder_add(vertices=vertices, radius=radius, depth=axis.length, location=(start + end) / 2)
	obj = bpy.context.active_object
	obj.rotation_euler = axis.to_track_quat("Z", "Y").to_euler()
	bpy.ops.object.transform_apply(location=False, rotation=True, scale=False)
	return finish(obj, name, mat)


def sphere(name, radius, location, mat, scale=(1, 1, 1), segments=32, rings=16):
	bpy.ops.mesh.primitive_uv_sphere_add(segments=segments, ring_count=rings, radius=radius, location=location)
	obj = bpy.context.active_object
	obj.scale = scale
	bpy.ops.object.transform_apply(location=False, rotation=False, scale=True)
	bpy.ops.object.shade_smooth()
	return finish(obj, name, mat)


def lathe(name, profile, location, mat, steps=48):
	mesh = bpy.data.meshes.new(name)
	built = bmesh.new()
	verts = [built.verts.new((r, 0.0, z)) for r, z in profile]
	for a, b in zip(verts, verts[1:]):
		built.edges.new((a, b))
	bmesh.ops.spin(built, geom=built.verts[:] + built.edges[:], angle=2 * math.pi, steps=steps, axis=(0, 0, 1), cent=(0, 0, 0))
	bmesh.ops.remove_doubles(built, verts=built.verts[:], dist=1e-5)
	built.to_mesh(mesh)
	built.free()
	obj = bpy.data.objects.new(name, mesh)
	obj.location = location
	bpy.context.collection.objects.link(obj)
	for polygon in mesh.polygons:
		polygon.use_smooth = True
	return finish(obj, name, mat)


def join(parts, name):
	bpy.ops.object.select_all(action="DESELECT")
	for part in parts:
		part.select_set(True)
	bpy.context.view_layer.objects.active = parts[0]
	bpy.ops.object.join()
	joined = bpy.context.active_object
	joined.name = name
	joined.data.name = name
	return joined


def place(objects, offset):
	for obj in objects:
		obj.location += Vector(offset)
	return objects


# The models. Each builder makes its objects in the current scene, in metres, standing on z = 0.

def chair(offset=(0, 0, 0)):
	oak = material("Oak", (0.52, 0.33, 0.17), roughness=0.6)
	parts = [box("Seat", (0.46, 0.44, 0.05), (0, 0, 0.45), oak)]
	for x in (-0.2, 0.2):
		for y in (-0.19, 0.19):
			parts.append(box("Leg", (0.045, 0.045, 0.43), (x, y, 0.215), oak))
		parts.append(box("Post", (0.045, 0.045, 0.5), (x, 0.19, 0.72), oak))
	for z in (0.62, 0.78, 0.92):
		parts.append(box("Rail", (0.40, 0.03, 0.07), (0, 0.19, z), oak))
	for y in (-0.19, 0.19):
		parts.append(box("Stretcher", (0.36, 0.03, 0.03), (0, y, 0.12), oak))
	return place([join(parts, "Chair")], offset)


def spider(offset=(0, 0, 0)):
	chitin = material("Chitin", (0.23, 0.14, 0.07), roughness=0.4)
	marking = material("Markings", (0.85, 0.75, 0.45), roughness=0.5)
	parts = [
		sphere("Abdomen", 0.22, (0, 0.28, 0.3), chitin, scale=(1.0, 1.25, 0.9), segments=96, rings=48),
		sphere("Cephalothorax", 0.13, (0, -0.05, 0.24), chitin, scale=(1.0, 1.2, 0.8), segments=64, rings=32),
		sphere("Cross", 0.06, (0, 0.28, 0.5), marking, scale=(1.0, 2.2, 0.4), segments=48, rings=24),
	]
	for side in (-1, 1):
		for index in range(4):
			angle = math.radians(-50 + index * 33)
			hip = Vector((side * 0.08, -0.05 + index * 0.03, 0.25))
			knee = hip + Vector((side * 0.3 * math.cos(angle), 0.3 * math.sin(angle), 0.22))
			foot = hip + Vector((side * 0.58 * math.cos(angle), 0.58 * math.sin(angle), -0.25))
			parts.append(cylinder("Femur", 0.022, hip, knee, chitin, vertices=24))
			parts.append(cylinder("Tibia", 0.016, knee, foot, chitin, vertices=24))
			parts.append(sphere("Knee", 0.026, knee, chitin, segments=24, rings=12))
	return place([join(parts, "Spider")], offset)


def crate(name, edge, offset=(0, 0, 0)):
	pine = material("Pine", (0.72, 0.56, 0.34), roughness=0.7)
	frame = material("Crate_Frame", (0.42, 0.28, 0.15), roughness=0.7)
	half, bar = edge / 2, edge * 0.09
	parts = [box("Body", (edge * 0.96, edge * 0.96, edge * 0.96), (0, 0, half), pine)]
	for a in (-1, 1):
		for b in (-1, 1):
			parts.append(box("BarX", (edge, bar, bar), (0, a * (half - bar / 2), half + b * (half - bar / 2)), frame))
			parts.append(box("BarY", (bar, edge, bar), (a * (half - bar / 2), 0, half + b * (half - bar / 2)), frame))
			parts.append(box("BarZ", (bar, bar, edge), (a * (half - bar / 2), b * (half - bar / 2), half), frame))
	return place([join(parts, name)], offset)


def crates_small(offset=(0, 0, 0)):
	return crate("Crate_Small", 0.4, offset)


def crates_medium(offset=(0, 0, 0)):
	return crate("Crate_Medium", 0.6, offset)


def crates_large(offset=(0, 0, 0)):
	return crate("Crate_Large", 0.8, offset)


def vase(offset=(0, 0, 0)):
	glass = material("Glass", (0.3, 0.62, 0.66), roughness=0.15, transmission=0.7)
	profile = [(0.0, 0.0), (0.11, 0.0), (0.15, 0.05), (0.19, 0.2), (0.18, 0.32), (0.12, 0.45), (0.07, 0.55), (0.075, 0.62), (0.1, 0.66)]
	made = lathe("Vase", profile, (0, 0, 0), glass, steps=64)
	# Glass has a thickness; a single sheet refracts like nothing real.
	made.modifiers.new("Solidify", "SOLIDIFY").thickness = 0.008
	return place([made], offset)


def rounded_cube(name, mat, offset):
	obj = box(name, (0.5, 0.5, 0.5), (0, 0, 0.25), mat)
	bevel = obj.modifiers.new("Bevel", "BEVEL")
	bevel.width = 0.04
	bevel.segments = 4
	return place([obj], offset)


def metal_cube(offset=(0, 0, 0)):
	return rounded_cube("Metal_Cube", material("Brushed_Steel", (0.55, 0.56, 0.58), metallic=1.0, roughness=0.25), offset)


def gloss_cube(offset=(0, 0, 0)):
	return rounded_cube("Gloss_Cube", material("Red_Gloss", (0.7, 0.05, 0.04), roughness=0.05), offset)


def cube(offset=(0, 0, 0)):
	return place([box("Cube", (0.5, 0.5, 0.5), (0, 0, 0.25), material("Phong_Blue", (0.12, 0.3, 0.75), roughness=0.35))], offset)


def mirror_blocks(offset=(0, 0, 0)):
	colours = [("Block_Red", (0.75, 0.1, 0.08)), ("Block_Yellow", (0.9, 0.7, 0.1)), ("Block_Blue", (0.1, 0.25, 0.7)), ("Block_Green", (0.12, 0.55, 0.2))]
	mats = [material(name, colour) for name, colour in colours]
	# The same stack on either side of the middle, each block in its own material.
	parts = []
	for side in (-1, 1):
		parts += [
			box("Base", (0.3, 0.3, 0.2), (side * 0.3, 0, 0.1), mats[0]),
			box("Step", (0.16, 0.25, 0.3), (side * 0.55, 0, 0.15), mats[1]),
			box("Pillar", (0.12, 0.12, 0.35), (side * 0.3, 0, 0.375), mats[2]),
		]
	parts.append(box("Lintel", (0.9, 0.16, 0.08), (0, 0, 0.59), mats[3]))
	return place([join(parts, "Mirror_Blocks")], offset)


def bench(name, location, wood, iron):
	parts = [box("Plank", (1.2, 0.12, 0.04), (0, y, 0.45), wood) for y in (-0.14, 0.0, 0.14)]
	for x in (-0.5, 0.5):
		parts.append(box("Leg", (0.06, 0.4, 0.43), (x, 0, 0.215), iron))
	made = join(parts, name)
	made.location = location
	return made


def tree(name, location, bark, leaves, height=2.0):
	trunk = cylinder(name + "_Trunk", 0.09, (0, 0, 0), (0, 0, height * 0.6), bark, vertices=12)
	crown = sphere(name + "_Crown", height * 0.3, (0, 0, height * 0.75), leaves, segments=20, rings=10)
	made = join([trunk, crown], name)
	made.location = location
	return made


def courtyard(offset=(0, 0, 0)):
	stone = material("Paving", (0.62, 0.6, 0.55), roughness=0.8)
	water = material("Water", (0.15, 0.4, 0.6), roughness=0.1)
	wood = material("Bench_Wood", (0.5, 0.32, 0.18))
	iron = material("Iron", (0.12, 0.12, 0.13), metallic=1.0, roughness=0.5)
	bark = material("Bark", (0.3, 0.2, 0.12))
	leaves = material("Leaves", (0.2, 0.45, 0.15))
	objects = [box("Paving", (6.0, 6.0, 0.1), (0, 0, -0.05), stone)]
	basin = lathe("Fountain", [(0.0, 0.0), (0.9, 0.0), (0.9, 0.4), (0.8, 0.4), (0.8, 0.1), (0.15, 0.1), (0.15, 0.9), (0.45, 1.0), (0.4, 1.05), (0.0, 1.0)], (0, 0, 0), stone)
	objects.append(basin)
	objects.append(box("Fountain_Water", (1.5, 1.5, 0.02), (0, 0, 0.3), water))
	objects.append(bench("Bench_North", (0, 2.2, 0), wood, iron))
	objects.append(bench("Bench_South", (0, -2.2, 0), wood, iron))
	objects.append(tree("Tree_East", (2.3, 1.8, 0), bark, leaves))
	objects.append(tree("Tree_West", (-2.3, -1.6, 0), bark, leaves, height=2.4))
	for x in (-2.9, 2.9):
		objects.append(box("Wall", (0.2, 6.0, 0.6), (x, 0, 0.3), stone))
	return place(objects, offset)


def water_plane(size, water):
	return box("Water", (size, size, 0.02), (0, 0, -0.01), water)


def harbour_pier(offset=(0, 0, 0)):
	water = material("Sea", (0.08, 0.25, 0.4), roughness=0.15)
	deck = material("Deck", (0.45, 0.32, 0.2), roughness=0.8)
	iron = material("Bollard_Iron", (0.1, 0.1, 0.1), metallic=1.0, roughness=0.4)
	objects = [water_plane(5.5, water)]
	boards = [box("Board", (0.22, 1.6, 0.05), (x * 0.25, 0, 0.6), deck) for x in range(-10, 11)]
	objects.append(join(boards, "Pier_Deck"))
	posts = [cylinder("Post", 0.08, (x, y, -0.3), (x, y, 0.6), deck) for x in (-2.5, -1.25, 0.0, 1.25, 2.5) for y in (-0.75, 0.75)]
	objects.append(join(posts, "Pier_Posts"))
	for x in (-2.0, 0.0, 2.0):
		objects.append(cylinder("Bollard", 0.07, (x, 0.65, 0.62), (x, 0.65, 0.85), iron, vertices=16))
	return place(objects, offset)


def boat(name, location, hull_mat, cabin_mat, length):
	hull = box(name + "_Hull", (length, length * 0.38, length * 0.2), (0, 0, length * 0.1), hull_mat)
	for vertex in hull.data.vertices:
		if vertex.co.x > 0:
			vertex.co.y *= 0.25
		if vertex.co.z < length * 0.1:
			vertex.co.y *= 0.6
	cabin = box(name + "_Cabin", (length * 0.3, length * 0.25, length * 0.18), (-length * 0.1, 0, length * 0.29), cabin_mat)
	mast = cylinder(name + "_Mast", 0.03, (length * 0.1, 0, length * 0.2), (length * 0.1, 0, length * 0.9), cabin_mat, vertices=8)
	made = join([hull, cabin, mast], name)
	made.location = location
	return made


def harbour_boats(offset=(0, 0, 0)):
	water = material("Sea", (0.08, 0.25, 0.4), roughness=0.15)
	red = material("Hull_Red", (0.65, 0.1, 0.08))
	white = material("Paint_White", (0.9, 0.9, 0.88))
	blue = material("Hull_Blue", (0.1, 0.2, 0.5))
	objects = [water_plane(5.5, water)]
	objects.append(boat("Boat_Large", (-1.0, -1.0, 0), red, white, 3.0))
	objects.append(boat("Boat_Small", (1.5, 1.5, 0), blue, white, 1.8))
	return place(objects, offset)


def island(offset=(0, 0, 0)):
	random.seed(7)
	sand = material("Sand", (0.85, 0.75, 0.5), roughness=0.9)
	grass = material("Grass", (0.25, 0.5, 0.2), roughness=0.9)
	water = material("Ocean", (0.05, 0.3, 0.45), roughness=0.1)
	bark = material("Palm_Bark", (0.4, 0.3, 0.18))
	leaves = material("Palm_Leaves", (0.15, 0.5, 0.12))
	bpy.ops.mesh.primitive_grid_add(x_subdivisions=96, y_subdivisions=96, size=8.0)
	land = finish(bpy.context.active_object, "Island", sand)
	land.data.materials.append(grass)
	for vertex in land.data.vertices:
		x, y = vertex.co.x, vertex.co.y
		falloff = max(0.0, 1.0 - math.hypot(x, y * 1.3) / 3.4)
		vertex.co.z = 1.2 * falloff ** 1.5 + 0.25 * noise.noise(Vector((x * 0.8, y * 0.8, 0.5))) * falloff - 0.15
	for polygon in land.data.polygons:
		polygon.material_index = 1 if polygon.center.z > 0.25 else 0
	objects = [land, water_plane(7.0, water)]
	for index, (x, y) in enumerate(((0.4, 0.3), (-0.9, -0.4), (1.3, -0.6))):
		z = 1.0 - 0.25 * index
		trunk = cylinder("Palm_Trunk", 0.06, (x, y, z - 0.3), (x + 0.2, y, z + 1.0), bark, vertices=10)
		fronds = []
		for leaf in range(6):
			angle = leaf * math.pi / 3
			tip = Vector((x + 0.2 + 0.6 * math.cos(angle), y + 0.6 * math.sin(angle), z + 0.75))
			fronds.append(cylinder("Frond", 0.05, (x + 0.2, y, z + 1.0), tip, leaves, vertices=4))
		objects.append(join([trunk] + fronds, "Palm_%d" % (index + 1)))
	return place(objects, offset)


MODELS = {
	"chair": chair,
	"spider": spider,
	"crate_small": crates_small,
	"crate_medium": crates_medium,
	"crate_large": crates_large,
	"courtyard": courtyard,
	"harbour_pier": harbour_pier,
	"harbour_boats": harbour_boats,
	"island": island,
	"vase": vase,
	"metal_cube": metal_cube,
	"gloss_cube": gloss_cube,
	"cube": cube,
	"mirror_blocks": mirror_blocks,
}

# Each product's preview: the models its package holds, set side by side.
PREVIEWS = {
	"oak-chair": [("chair", (0, 0, 0))],
	"garden-spider": [("spider", (0, 0, 0))],
	"workshop-crates": [("crate_large", (-0.55, 0.2, 0)), ("crate_medium", (0.35, 0.1, 0)), ("crate_small", (0.1, -0.55, 0))],
	"courtyard-scene": [("courtyard", (0, 0, 0))],
	"harbour-scenes": [("harbour_pier", (0, 0, 0)), ("harbour_boats", (0, 5.6, 0))],
	"island-world": [("island", (0, 0, 0))],
	"starter-bundle": [("chair", (-0.55, 0, 0)), ("crate_small", (0.25, 0.15, 0)), ("cube", (0.35, -0.6, 0))],
	"glass-vase": [("vase", (0, 0, 0))],
	"metal-cube": [("metal_cube", (0, 0, 0))],
	"gloss-cube": [("gloss_cube", (0, 0, 0))],
	"mirror-blocks": [("mirror_blocks", (0, 0, 0))],
	"phong-cube": [("cube", (0, 0, 0))],
	"showroom-crate": [("crate_medium", (0, 0, 0))],
}


def export(name, folder):
	reset()
	MODELS[name]()
	bpy.ops.export_scene.fbx(
		filepath=os.path.join(folder, name + ".fbx"),
		object_types={"MESH"},
		# Z up as in Blender and in the editor, so that no reader has to turn the scene round.
		axis_forward="-Y",
		axis_up="Z",
		use_mesh_modifiers=True,
		mesh_smooth_type="FACE",
		bake_anim=False,
		add_leaf_bones=False,
		path_mode="STRIP",
	)


def frame_camera(objects):
	points = [obj.matrix_world @ Vector(corner) for obj in objects for corner in obj.bound_box]
	low = Vector((min(p.x for p in points), min(p.y for p in points), min(p.z for p in points)))
	high = Vector((max(p.x for p in points), max(p.y for p in points), max(p.z for p in points)))
	centre = (low + high) / 2
	radius = (high - low).length / 2
	camera_data = bpy.data.cameras.new("Camera")
	camera_data.lens = 50
	camera = bpy.data.objects.new("Camera", camera_data)
	bpy.context.collection.objects.link(camera)
	direction = Vector((1.0, -1.35, 0.85)).normalized()
	half_angle = camera_data.angle / 2
	camera.location = centre + direction * (radius / math.sin(half_angle)) * 1.08
	camera.rotation_euler = (centre - camera.location).to_track_quat("-Z", "Y").to_euler()
	camera_data.clip_end = 1000
	bpy.context.scene.camera = camera
	return low


def render(preview, folder):
	reset()
	objects = []
	for model, offset in PREVIEWS[preview]:
		objects += MODELS[model](offset)
	bpy.context.view_layer.update()
	low = frame_camera(objects)
	floor = box("Floor", (200, 200, 0.01), (0, 0, low.z - 0.006), material("Studio_Floor", (0.62, 0.63, 0.65), roughness=0.9))
	sun_data = bpy.data.lights.new("Sun", "SUN")
	sun_data.energy = 2.6
	sun_data.angle = math.radians(8)
	sun = bpy.data.objects.new("Sun", sun_data)
	sun.rotation_euler = (math.radians(40), math.radians(10), math.radians(35))
	bpy.context.collection.objects.link(sun)
	world = bpy.data.worlds.new("World")
	world.use_nodes = True
	world.node_tree.nodes["Background"].inputs["Color"].default_value = (0.78, 0.82, 0.88, 1.0)
	world.node_tree.nodes["Background"].inputs["Strength"].default_value = 0.45
	scene = bpy.context.scene
	scene.world = world
	scene.render.engine = "CYCLES"
	scene.cycles.device = "CPU"
	scene.cycles.samples = 24
	scene.cycles.use_denoising = False
	scene.cycles.max_bounces = 4
	scene.render.threads_mode = "FIXED"
	scene.render.threads = 2
	scene.render.resolution_x = PREVIEW_SIZE
	scene.render.resolution_y = PREVIEW_SIZE
	scene.render.resolution_percentage = 100
	scene.render.film_transparent = False
	scene.view_settings.view_transform = "Standard"
	scene.render.image_settings.file_format = "PNG"
	scene.render.filepath = os.path.join(folder, preview + ".png")
	bpy.ops.render.render(write_still=True)


def main():
	output = sys.argv[sys.argv.index("--") + 1]
	only = sys.argv[sys.argv.index("--") + 2:]
	models, renders = os.path.join(output, "Models"), os.path.join(output, "Renders")
	os.makedirs(models, exist_ok=True)
	os.makedirs(renders, exist_ok=True)
	for name in MODELS:
		if not only or name in only:
			export(name, models)
	for preview in PREVIEWS:
		if not only or preview in only:
			render(preview, renders)


main()
